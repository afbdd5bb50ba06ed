#include "ui/main/common_control_features.h"

namespace rw {

CommonControlFeatures FeaturesOfCommonControls(unsigned fileMajor, unsigned fileMinor,
                                               unsigned reportedMajor, unsigned reportedMinor,
                                               bool onNt) {
  // Internet Explorer 3.0's comctl32 4.70 brought all three.
  const bool atLeast470 = fileMajor > 4 || (fileMajor == 4 && fileMinor >= 70);
  CommonControlFeatures features;
  features.fullRowSelect = atLeast470;
  features.flatToolbar = atLeast470;
  features.virtualList = atLeast470;
  features.unicodeRows = onNt || reportedMajor > 5 || (reportedMajor == 5 && reportedMinor >= 80);
  return features;
}

}  // namespace rw
