// The accessible object a form answers WM_GETOBJECT with: its window-less children in position
// order, then its windowed ones, each with its role, name, states and default action.
#include <gtest/gtest.h>
#include <oleacc.h>
#include "framework/accessible.h"
#include "framework/image.h"
#include "framework/push_button.h"
#include "framework/std_label.h"
#include "tests/support/plain_form.h"

namespace {
VARIANT Id(long id) {
  VARIANT v{};
  v.vt = VT_I4;
  v.lVal = id;
  return v;
}

std::wstring Name(IAccessible* object, long id) {
  BSTR text = nullptr;
  object->get_accName(Id(id), &text);
  std::wstring out = text ? text : L"";
  SysFreeString(text);
  return out;
}

long Role(IAccessible* object, long id) {
  VARIANT v{};
  object->get_accRole(Id(id), &v);
  return v.vt == VT_I4 ? v.lVal : -1;
}

long State(IAccessible* object, long id) {
  VARIANT v{};
  object->get_accState(Id(id), &v);
  return v.vt == VT_I4 ? v.lVal : -1;
}

class AccessibleTest : public ::testing::Test {
protected:
  void SetUp() override {
    form = NewPlainForm();
    form->SetCaption("Plain");
    label = Add<TLabel>(10, 60, "&Name");
    picture = Add<TImage>(150, 5, "");
    picture->SetHint("Close it");
    picture->OnClick = [this](TObject*) { ++clicks; };
    hidden = Add<TLabel>(10, 5, "Hidden");
    hidden->SetVisible(false);
    button = new TButton(form);
    button->SetCaption("&Go");
    button->SetBounds(100, 60, 80, 24);
    button->SetParent(form);
    button->SetEnabled(false);
    form->HandleNeeded();
  }
  void TearDown() override {
    if (object) object->Release();
    delete form;
  }
  template <class T>
  T* Add(int left, int top, const char* caption) {
    auto* control = new T(form);
    control->SetBounds(left, top, 40, 20);
    control->SetCaption(caption);
    control->SetParent(form);
    return control;
  }
  IAccessible* Object() {
    LRESULT result = SendMessageW(form->Handle(), WM_GETOBJECT, 0, OBJID_CLIENT);
    IAccessible* got = nullptr;
    if (result > 0) ObjectFromLresult(result, __uuidof(IAccessible), 0, reinterpret_cast<void**>(&got));
    return got;
  }
  void Pump() {
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&msg);
  }
  TForm* form = nullptr;
  TLabel *label = nullptr, *hidden = nullptr;
  TImage* picture = nullptr;
  TButton* button = nullptr;
  IAccessible* object = nullptr;
  int clicks = 0;
};
}  // namespace

TEST_F(AccessibleTest, ChildrenComeByPositionThenWindowsEachSayingWhatItIs) {
  object = Object();
  ASSERT_NE(object, nullptr);
  EXPECT_EQ(Role(object, CHILDID_SELF), ROLE_SYSTEM_CLIENT);
  EXPECT_EQ(Name(object, CHILDID_SELF), L"Plain");
  long count = 0;
  ASSERT_EQ(object->get_accChildCount(&count), S_OK);
  ASSERT_EQ(count, 4);
  // Top to bottom: the hidden label (5), the picture (5, further right), the label (60).
  EXPECT_EQ(Name(object, 1), L"Hidden");
  EXPECT_TRUE(State(object, 1) & STATE_SYSTEM_INVISIBLE);
  EXPECT_EQ(Role(object, 2), ROLE_SYSTEM_PUSHBUTTON);
  EXPECT_EQ(Name(object, 2), L"Close it");
  EXPECT_EQ(Role(object, 3), ROLE_SYSTEM_STATICTEXT);
  EXPECT_EQ(Name(object, 3), L"Name");
  BSTR shortcut = nullptr;
  EXPECT_EQ(object->get_accKeyboardShortcut(Id(3), &shortcut), S_OK);
  EXPECT_STREQ(shortcut, L"Alt+N");
  SysFreeString(shortcut);

  IDispatch* child = nullptr;
  EXPECT_EQ(object->get_accChild(Id(3), &child), S_FALSE);  // window-less: answered by the parent
  ASSERT_EQ(object->get_accChild(Id(4), &child), S_OK);
  IAccessible* buttonObject = nullptr;
  child->QueryInterface(__uuidof(IAccessible), reinterpret_cast<void**>(&buttonObject));
  child->Release();
  ASSERT_NE(buttonObject, nullptr);
  EXPECT_EQ(Role(buttonObject, CHILDID_SELF), ROLE_SYSTEM_PUSHBUTTON);
  EXPECT_EQ(Name(buttonObject, CHILDID_SELF), L"Go");
  EXPECT_TRUE(State(buttonObject, CHILDID_SELF) & STATE_SYSTEM_UNAVAILABLE);
  EXPECT_EQ(buttonObject->accDoDefaultAction(Id(CHILDID_SELF)), DISP_E_MEMBERNOTFOUND);
  buttonObject->Release();
  EXPECT_EQ(object->get_accChildCount(&count), S_OK);
  EXPECT_EQ(object->accDoDefaultAction(Id(5)), E_INVALIDARG);
}

TEST_F(AccessibleTest, LocationIsOnTheScreenAndTheDefaultActionClicksOnceAfterTheCall) {
  object = Object();
  ASSERT_NE(object, nullptr);
  long left = 0, top = 0, width = 0, height = 0;
  ASSERT_EQ(object->accLocation(&left, &top, &width, &height, Id(2)), S_OK);
  const POINT origin = picture->ClientToScreen({0, 0});
  EXPECT_EQ(left, origin.x);
  EXPECT_EQ(top, origin.y);
  EXPECT_EQ(width, 40);
  EXPECT_EQ(height, 20);
  EXPECT_EQ(object->accDoDefaultAction(Id(2)), S_OK);
  EXPECT_EQ(clicks, 0);  // posted: a modal handler must not hold the caller
  Pump();
  EXPECT_EQ(clicks, 1);
  EXPECT_EQ(object->accDoDefaultAction(Id(3)), DISP_E_MEMBERNOTFOUND);  // a plain label does nothing
}

TEST_F(AccessibleTest, AnObjectOutlivingItsWindowFailsInsteadOfCrashing) {
  object = Object();
  ASSERT_NE(object, nullptr);
  delete form;
  form = nullptr;
  long count = 0;
  EXPECT_EQ(object->get_accChildCount(&count), E_FAIL);
  EXPECT_EQ(Name(object, 1), L"");
}

TEST_F(AccessibleTest, AThousandRequestsLeaveNoObjectBehind) {
  const long before = AccessibleObjectCount();
  for (int i = 0; i < 1000; ++i) {
    IAccessible* got = Object();
    ASSERT_NE(got, nullptr) << i;
    IDispatch* child = nullptr;
    if (got->get_accChild(Id(4), &child) == S_OK) child->Release();
    got->Release();
  }
  EXPECT_EQ(AccessibleObjectCount(), before);
}

// Shown, the controls are no longer invisible; the focus is answered where it is.
TEST_F(AccessibleTest, TheFocusIsTheFocusedChildWindowLessOrNot) {
  auto* edit = new TButton(form);
  edit->SetCaption("Take");
  edit->SetBounds(10, 90, 80, 24);
  edit->SetParent(form);
  edit->SetTabStop(true);
  form->Show();
  object = Object();
  ASSERT_NE(object, nullptr);
  EXPECT_FALSE(State(object, 3) & STATE_SYSTEM_INVISIBLE);
  EXPECT_TRUE(State(object, 2) & STATE_SYSTEM_FOCUSABLE);  // the picture that answers clicks
  EXPECT_FALSE(State(object, 3) & STATE_SYSTEM_FOCUSABLE);
  form->FocusGraphic(picture);
  VARIANT focus{};
  ASSERT_EQ(object->get_accFocus(&focus), S_OK);
  EXPECT_EQ(focus.vt, VT_I4);
  EXPECT_EQ(focus.lVal, 2);
  EXPECT_TRUE(State(object, 2) & STATE_SYSTEM_FOCUSED);
  edit->SetFocus();
  EXPECT_EQ(form->FocusedGraphic(), nullptr);
  ASSERT_EQ(object->get_accFocus(&focus), S_OK);
  ASSERT_EQ(focus.vt, VT_DISPATCH);
  IAccessible* focused = nullptr;
  focus.pdispVal->QueryInterface(__uuidof(IAccessible), reinterpret_cast<void**>(&focused));
  focus.pdispVal->Release();
  ASSERT_NE(focused, nullptr);
  EXPECT_EQ(Name(focused, CHILDID_SELF), L"Take");
  focused->Release();
}
