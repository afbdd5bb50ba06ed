#pragma once
#include <deque>
#include <string>
#include <vector>

#include "platform/message_box.h"

namespace rw {

// Records every box shown and answers from a script (OK when it runs out).
class FakeMessageBoxes : public MessageBoxes {
 public:
  struct Shown {
    std::string text;
    std::string title;
    unsigned style;
  };
  std::vector<Shown> shown;
  std::deque<int> answers;

  int Show(const std::string& text, const std::string& title, unsigned style) override {
    shown.push_back({text, title, style});
    if (answers.empty()) return kIdOk;
    const int answer = answers.front();
    answers.pop_front();
    return answer;
  }
};

}  // namespace rw
