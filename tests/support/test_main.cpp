// Test entry: one application object for the whole run, as the program has.
#include <gtest/gtest.h>
#include "framework/application.h"

int main(int argc, char** argv) {
  ::testing::InitGoogleTest(&argc, argv);
  TApplication application;
  application.Initialize();
  application.SetTitle("Ostrimark Tests");
  return RUN_ALL_TESTS();
}
