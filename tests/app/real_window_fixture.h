// The main window over the real system, loaded from the embedded description.
#pragma once
#include <gtest/gtest.h>
#include "app/main_form.h"
#include "app/win32_system.h"
#include "framework/application.h"

class RealWindowTest : public ::testing::Test {
protected:
  void SetUp() override { form = new TForm1(Application, system, LoadTextResource("MAINFORM")); }
  void TearDown() override { delete form; }
  TWin32System system;
  TForm1* form = nullptr;
};
