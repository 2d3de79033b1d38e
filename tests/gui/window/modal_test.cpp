// Message loops of the toolkit: modal display, the quit request and the
// standard error display.
#include <gtest/gtest.h>

#include "port/errors.h"
#include "ui/application.h"
#include "ui/button.h"
#include "ui/form.h"
#include "window/script.h"

namespace {

class TestForm : public ui::Form {
 public:
  explicit TestForm(const char* class_name)
      : ui::Form({.class_name = class_name, .client_width = 200, .client_height = 100}),
        go(*this, {10, 10, 80, 24}, "Los"),
        done(*this, {100, 10, 80, 24}, "Fertig") {
    done.SetModalResult(ui::ModalResult::kOk);
  }

  ui::Button go;
  ui::Button done;
};

class CreationFails : public TestForm {
 public:
  CreationFails() : TestForm("TTestCreation") {}
  void FormCreate() override {
    SetCaption("halb fertig");
    throw stp::Error("Kann Datei X nicht öffnen");
  }
};

// Ends the program while it is being shown, as a page does that finds it cannot go on.
class EndsWhenShown : public TestForm {
 public:
  EndsWhenShown() : TestForm("TTestEndsWhenShown") {}

 protected:
  void FormShow() override { ui::App().Terminate(); }
};

class ModalLoop : public testing::Test {
 protected:
  ui::Application app_{GetModuleHandleA(nullptr)};
  TestForm outer_{"TTestOuter"};
  TestForm inner_{"TTestInner"};
  Script script_;
};

TEST_F(ModalLoop, BlocksTheOtherWindowsUntilAResultIsSet) {
  bool outer_enabled_meanwhile = true;
  outer_.go.OnClick([&] { EXPECT_EQ(inner_.ShowModal(), ui::ModalResult::kOk); });
  script_.When("TTestOuter", [](HWND window) { driver::ClickButton(window, "Los"); })
      .When("TTestInner",
            [&](HWND window) {
              outer_enabled_meanwhile = IsWindowEnabled(outer_.Handle());
              driver::ClickButton(window, "Fertig");
            })
      .When("TTestOuter", [](HWND window) { driver::ClickButton(window, "Fertig"); });
  EXPECT_EQ(outer_.ShowModal(), ui::ModalResult::kOk);
  EXPECT_TRUE(script_.Finished());
  EXPECT_FALSE(outer_enabled_meanwhile);
  EXPECT_TRUE(IsWindowEnabled(outer_.Handle()));
  EXPECT_FALSE(outer_.Visible());
  EXPECT_FALSE(app_.Terminated());
}

TEST_F(ModalLoop, CloseBoxEndsAModalDisplayWithCancel) {
  script_.When("TTestOuter", [](HWND window) { driver::RequestClose(window); });
  EXPECT_EQ(outer_.ShowModal(), ui::ModalResult::kCancel);
  EXPECT_FALSE(app_.Terminated());
}

// The running handler finishes; then every loop ends, and nothing opens any more.
TEST_F(ModalLoop, QuitRequestEndsEveryLoopOnceTheHandlerReturns) {
  std::vector<std::string> events;
  outer_.go.OnClick([&] {
    inner_.ShowModal();
    events.push_back("outer handler goes on");
  });
  inner_.go.OnClick([&] {
    app_.Terminate();
    events.push_back("inner handler goes on");
  });
  script_.When("TTestOuter", [](HWND window) { driver::ClickButton(window, "Los"); })
      .When("TTestInner", [](HWND window) { driver::ClickButton(window, "Los"); });
  EXPECT_EQ(outer_.ShowModal(), ui::ModalResult::kCancel);
  EXPECT_EQ(events, (std::vector<std::string>{"inner handler goes on", "outer handler goes on"}));
  EXPECT_TRUE(app_.Terminated());
  EXPECT_FALSE(outer_.Visible());
  EXPECT_FALSE(inner_.Visible());

  bool clicked = false;
  inner_.go.OnClick([&] { clicked = true; });
  PostMessageA(inner_.go.Handle(), BM_CLICK, 0, 0);
  app_.ProcessMessages();
  EXPECT_FALSE(clicked);
  EXPECT_EQ(inner_.ShowModal(), ui::ModalResult::kCancel);
  EXPECT_FALSE(inner_.Visible());
  app_.SetMainForm(outer_);
  app_.Run();
  EXPECT_FALSE(outer_.Visible());
}

TEST_F(ModalLoop, ErrorsLeavingAHandlerAreShownAndTheProgramGoesOn) {
  app_.SetTitle("Probe 1.0-Setup");
  outer_.go.OnClick([] { throw stp::Error("Dateizugriff verweigert", "C:\\x"); });
  script_.AnswerMessageBoxes();
  script_.When("TTestOuter", [](HWND window) { driver::ClickButton(window, "Los"); })
      .When("TTestOuter", [](HWND window) { driver::ClickButton(window, "Fertig"); });
  EXPECT_EQ(outer_.ShowModal(), ui::ModalResult::kOk);
  ASSERT_EQ(script_.MessageBoxes().size(), 1u);
  EXPECT_EQ(script_.MessageBoxes()[0].caption, "Probe 1.0-Setup");
  EXPECT_EQ(script_.MessageBoxes()[0].text, "Dateizugriff verweigert.");
  EXPECT_EQ(script_.MessageBoxes()[0].buttons, std::vector<std::string>{"OK"});
}

TEST_F(ModalLoop, AFailedCreationStepIsShownAndTheFormKept) {
  app_.SetTitle("Probe 1.0-Setup");
  script_.AnswerMessageBoxes();
  CreationFails* instance = nullptr;
  auto form = app_.CreateForm(instance);
  ASSERT_TRUE(form);
  EXPECT_EQ(instance, form.get());
  EXPECT_EQ(form->Caption(), "halb fertig");
  ASSERT_EQ(script_.MessageBoxes().size(), 1u);
  EXPECT_EQ(script_.MessageBoxes()[0].text, "Kann Datei X nicht öffnen.");
}

TEST_F(ModalLoop, AFormThatEndsTheProgramWhenShownStaysHidden) {
  EndsWhenShown form;
  form.Show();
  EXPECT_TRUE(app_.Terminated());
  EXPECT_FALSE(form.Visible());
}

}  // namespace
