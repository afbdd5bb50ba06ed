#pragma once
#include <deque>
#include <string>
#include <vector>

#include "platform/message_box.h"
#include "tests/fakes/fake_code_page.h"

namespace rw {

// Records every box shown and answers from a script (OK when it runs out).
class FakeMessageBoxes : public MessageBoxes {
 public:
  struct Shown {
    std::string text;  // as the ANSI code page shows it
    std::string title;
    unsigned style;
    std::u16string wide;  // the text shown in Unicode, when it was
  };
  std::vector<Shown> shown;
  std::deque<int> answers;

  int Show(const std::string& text, const std::string& title, unsigned style) override {
    shown.push_back({text, title, style, {}});
    return Answer();
  }
  int ShowUnicode(const std::u16string& text, const std::string& title, unsigned style) override {
    shown.push_back({FakeAnsi(text), title, style, text});
    return Answer();
  }

 private:
  int Answer() {
    if (answers.empty()) return kIdOk;
    const int answer = answers.front();
    answers.pop_front();
    return answer;
  }
};

}  // namespace rw
