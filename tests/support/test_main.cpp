// Test entry: one application object for the whole run, as the program has.
#include <gtest/gtest.h>
#include "framework/application.h"
#include "framework/com_apartment.h"

int main(int argc, char** argv) {
  ::testing::InitGoogleTest(&argc, argv);
  TComApartment apartment;  // as the program has
  TApplication application;
  application.Initialize();
  application.SetTitle("Ostrimark Tests");
  return RUN_ALL_TESTS();
}
