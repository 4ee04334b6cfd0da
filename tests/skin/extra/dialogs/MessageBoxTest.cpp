// The skinned message box, driven through the modal-loop hook: button order, default and cancel
// buttons, results by Enter, Esc and closing, sizes, captions and the show-again flag.
#include "../../../platform/vcl/KeyScript.h"
#include "../../controls/SkinFixture.h"
#include "platform/vcl/Application.h"
#include "skin/controls/SkinButton.h"
#include "skin/controls/SkinCheckRadioBox.h"
#include "skin/controls/SkinStdLabel.h"
#include "skin/core/SkinStrings.h"
#include "skin/extra/dialogs/SkinMessage.h"

#include <vector>

namespace vd::test {
namespace {

struct FreeForm {
    void operator()(TComponent* c) const { c->Free(); }
};
using BoxPtr = std::unique_ptr<TskMessageForm, FreeForm>;

class MessageBoxTest : public VclTest {
protected:
    void SetUp() override {
        VclTest::SetUp();
        Owner = NewForm();
        Msg = new TskSkinMessage(Owner);
    }
    // The buttons of the box in their order (name, caption, default, cancel).
    static std::vector<std::string> Buttons(TCustomForm& f) {
        std::vector<std::pair<int, std::string>> found;
        for (int i = 0; i < f.ComponentCount(); ++i)
            if (auto* b = dynamic_cast<TskSkinButton*>(f.Components(i)))
                found.emplace_back(b->Left(), b->Name() + "|" + b->Caption() +
                                                  (b->Default() ? "|default" : "") +
                                                  (b->Cancel ? "|cancel" : ""));
        std::sort(found.begin(), found.end());
        std::vector<std::string> out;
        for (auto& [x, s] : found)
            out.push_back(s);
        return out;
    }
    TForm* Owner = nullptr;
    TskSkinMessage* Msg = nullptr;
};

TEST_F(MessageBoxTest, AQuestionHasYesThenNoWithYesDefaultAndNoForEsc) {
    std::vector<std::string> seen;
    String caption;
    {
        TModalLoopHookScope hook([&](TCustomForm& f) {
            seen = Buttons(f);
            caption = f.Caption();
            TypeKeys(hb, "{Esc}");
        });
        EXPECT_EQ(Msg->ShowMessageDialog("Quit?", skmtConfirmation, SkBtn(skmbYes) | SkBtn(skmbNo), 0), mrNo);
    }
    EXPECT_EQ(seen, (std::vector<std::string>{"Yes|&Yes|default", "No|&No|cancel"}));
    EXPECT_EQ(caption, "Confirm");
    {
        TModalLoopHookScope hook([&](TCustomForm&) { TypeKeys(hb, "{Enter}"); });
        EXPECT_EQ(Msg->ShowMessageDialog("Quit?", skmtConfirmation, SkBtn(skmbYes) | SkBtn(skmbNo), 0),
                  mrYes);
    }
    {
        TModalLoopHookScope hook([&](TCustomForm& f) { f.Close(); });
        EXPECT_EQ(Msg->ShowMessageDialog("Quit?", skmtConfirmation, SkBtn(skmbYes) | SkBtn(skmbNo), 0),
                  mrCancel);
    }
    EXPECT_EQ(Screen->FormCount(), 1) << "every box is freed";
}

TEST_F(MessageBoxTest, OKAloneIsDefaultAndCancelAndHelpIsNeverShown) {
    std::vector<std::string> seen;
    int clientWidth = 0;
    TModalLoopHookScope hook([&](TCustomForm& f) {
        seen = Buttons(f);
        clientWidth = f.ClientWidth();
        TypeKeys(hb, "{Esc}");
    });
    EXPECT_EQ(Msg->ShowMessageDialog("x", skmtError, SkBtn(skmbOK) | SkBtn(skmbHelp), 77), mrOk);
    EXPECT_EQ(seen, (std::vector<std::string>{"OK|OK|default|cancel"}));
    EXPECT_GE(clientWidth, 70 + 40) << "the row counts the OK button only";
}

TEST_F(MessageBoxTest, SizesFollowTheLabelAndTheButtonRow) {
    BoxPtr f(Msg->BuildSkinMessageForm("A message", skmtWarning, 0));
    const int labelRight = f->MessageLabel->Left() + f->MessageLabel->Width();
    EXPECT_EQ(f->MessageLabel->Left(), 50);
    EXPECT_EQ(f->MessageLabel->Top(), 15);
    EXPECT_EQ(f->ClientWidth(), labelRight + 40) << "no buttons: the label decides";
    EXPECT_EQ(f->ClientHeight(), 25 + f->MessageLabel->Height() + 50);
    EXPECT_NE(f->FindComponent("Image"), nullptr);
    // Four buttons make a row wider than a short label.
    f.reset(Msg->BuildSkinMessageForm("x", skmtCustom,
                                      SkBtn(skmbYes) | SkBtn(skmbNo) | SkBtn(skmbCancel) | SkBtn(skmbAll)));
    EXPECT_EQ(f->ClientWidth(), 4 * 70 + 3 * 10 + 40);
    EXPECT_EQ(f->FindComponent("Image"), nullptr) << "the custom type has no icon";
    EXPECT_EQ(f->Caption(), Application->Title());
    auto* yes = static_cast<TskSkinButton*>(f->FindComponent("Yes"));
    auto* all = static_cast<TskSkinButton*>(f->FindComponent("All"));
    EXPECT_EQ(yes->Left(), 20);
    EXPECT_EQ(all->Left(), 20 + 3 * 80);
    EXPECT_EQ(yes->Top(), f->ClientHeight() - 25 - 10);
}

TEST_F(MessageBoxTest, TheShowAgainBoxRoundTripsItsValue) {
    Msg->ShowAgainFlag = true;
    Msg->ShowAgainFlagValue = false;
    bool startedChecked = false;
    String text;
    {
        TModalLoopHookScope hook([&](TCustomForm& f) {
            auto* box = static_cast<TskMessageForm&>(f).CheckBox;
            startedChecked = box->Checked();
            text = box->Caption();
            box->SetChecked(false);
            f.SetModalResult(mrOk);
        });
        Msg->ShowMessageDialog("x", skmtInformation, SkBtn(skmbOK), 0);
    }
    EXPECT_TRUE(startedChecked);
    EXPECT_EQ(text, "Do not display this message again");
    EXPECT_TRUE(Msg->ShowAgainFlagValue);
    // An exception out of the modal loop still copies the value and frees the box.
    {
        TModalLoopHookScope hook([&](TCustomForm& f) {
            static_cast<TskMessageForm&>(f).CheckBox->SetChecked(true);
            throw EConvertError("boom");
        });
        EXPECT_THROW(Msg->ShowMessageDialog("x", skmtInformation, SkBtn(skmbOK), 0), EConvertError);
    }
    EXPECT_FALSE(Msg->ShowAgainFlagValue);
    EXPECT_EQ(Screen->FormCount(), 1);
}

TEST_F(MessageBoxTest, TheShowAgainBoxIsMeasuredWithTheFontItDrawsWith) {
    std::string ini = TestSkinIni();
    const std::string section = "[checkbox]\r\n";
    ini.insert(ini.find(section) + section.size(), "fontname=Arial\r\nfontheight=40\r\n");
    const auto stored = TestStoredSkin(ini);
    auto* skin = new TskSkinData(Owner);
    skin->LoadStoredSkin(stored.get());
    ASSERT_FALSE(skin->Empty()) << skin->LastLoadError();
    Msg->SetCtrlSkinData(skin);
    Msg->ShowAgainFlag = true;
    auto widthIn = [](const TFont& font, const String& text) {
        TBitmap m(1, 1);
        m.Canvas().Font().Assign(font);
        return m.Canvas().TextWidth(text);
    };
    TFont big;
    big.SetName("Arial");
    big.SetHeight(40);
    for (const bool useSkinFont : {true, false}) {
        Msg->UseSkinFont = useSkinFont;
        BoxPtr f(Msg->BuildSkinMessageForm("x", skmtInformation, SkBtn(skmbOK)));
        ASSERT_TRUE(f->CheckBox->Skinned());
        const String text = f->CheckBox->Caption();
        const int w = widthIn(useSkinFont ? big : Msg->DefaultFont(), text) + 30;
        EXPECT_EQ(f->CheckBox->Width(), w + 25) << useSkinFont;
        EXPECT_GE(f->ClientWidth(), w + 30) << "the box fits: " << useSkinFont;
    }
}

TEST_F(MessageBoxTest, ASkinStringTableGivesTheCaptionsAndAMissingKeyIsEmpty) {
    auto* skin = new TskSkinData(Owner);
    auto* strings = new TskResourceStrData(Owner);
    strings->SetResStrings({"MSG_BTN_YES=Ja", "MSG_CAP_CONFIRM=Frage"});
    skin->SetResourceStrData(strings);
    EXPECT_EQ(GetMessageButtonCaption(skmbYes, skin), "Ja");
    EXPECT_EQ(GetMessageButtonCaption(skmbNo, skin), "");
    EXPECT_EQ(GetMessageCaption(skmtConfirmation, skin), "Frage");
    EXPECT_EQ(GetMessageCaption(skmtError, nullptr), "Error");
    Msg->SetCtrlSkinData(skin);
    Msg->ShowAgainFlag = true;
    BoxPtr f(Msg->BuildSkinMessageForm("x", skmtConfirmation, SkBtn(skmbYes)));
    EXPECT_EQ(f->CheckBox->Caption(), "Do not display this message again");
    delete skin;
    EXPECT_EQ(Msg->CtrlSkinData(), nullptr);
}

} // namespace
} // namespace vd::test
