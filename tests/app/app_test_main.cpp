// main() of the frame's tests: the program's own application object on the offscreen
// platform, so that its event handling is what is tested.
#include <gtest/gtest.h>

#include "app/application.h"

int main(int argc, char** argv) {
  qputenv("QT_QPA_PLATFORM", "offscreen");
  ::testing::InitGoogleTest(&argc, argv);
  tavrik::TTavrikApplication app(argc, argv);
  return RUN_ALL_TESTS();
}
