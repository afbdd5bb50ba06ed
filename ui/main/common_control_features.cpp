#include "ui/main/common_control_features.h"

namespace rw {

CommonControlFeatures FeaturesOfCommonControls(unsigned major, unsigned minor) {
  // Internet Explorer 3.0's comctl32 4.70 brought both.
  const bool atLeast470 = major > 4 || (major == 4 && minor >= 70);
  CommonControlFeatures features;
  features.fullRowSelect = atLeast470;
  features.flatToolbar = atLeast470;
  return features;
}

}  // namespace rw
