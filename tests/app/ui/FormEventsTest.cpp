// A window's handlers reach the events its form resource names, by handler name.
#include "app/ui/FormEvents.h"
#include "app/ui/FormResource.h"
#include "platform/vcl/ExtCtrls.h"
#include "platform/vcl/Menus.h"
#include "skin/controls/SkinPanel.h"
#include "skin/form/frame/SkinTrayIcon.h"

#include "../../platform/vcl/VclFixture.h"

#include <vector>

namespace vd {
namespace {

String FormText(const String& extra = String()) {
    return R"(object Probe: TForm
  OnClose = FormClose
  OnShow = FormShow
  OnConstrainedResize = FormConstrained
  object Pan: TskSkinPanel
    OnClick = PanClick
    OnResize = PanResize
  end
  object Split: TSplitter
    OnCanResize = SplitCanResize
  end
  object Menu: TPopupMenu
    object Item: TMenuItem
      OnClick = ItemClick
    end
  end
  object Tray: TskTrayIcon
    OnDblClick = TrayDblClick
  end
)" + extra +
           "end\n";
}

class FormEventsTest : public test::VclTest {
protected:
    // Every handler writes its name into the log.
    TFormEvents Events() {
        TFormEvents events;
        for (const char* name : {"FormShow", "PanClick", "PanResize", "ItemClick", "TrayDblClick"})
            events.Notify(name, [this, name](TObject*) { log.push_back(name); });
        events.Close("FormClose", [this](TObject*, TCloseAction& action) {
            log.push_back("FormClose");
            action = caNone;
        });
        events.ConstrainedResize("FormConstrained", [this](TObject*, int& minWidth, int&, int&, int&) {
            log.push_back("FormConstrained");
            minWidth = 77;
        });
        events.SplitterCanResize("SplitCanResize", [this](TObject*, int&, bool& accept) {
            log.push_back("SplitCanResize");
            accept = false;
        });
        return events;
    }
    TForm* Read(const String& text) {
        RegisterConsoleClasses();
        auto* form = new TForm(Application);
        form->SetName("Probe");
        const TFormEvents events = Events();
        try {
            TFormReader::ReadRoot(text, form, events.Binder());
        } catch (...) {
            form->Free();
            throw;
        }
        return form;
    }
    template <class T> T* Find(TForm* form, const char* name) {
        auto* c = dynamic_cast<T*>(form->FindComponent(name));
        EXPECT_NE(c, nullptr) << name;
        return c;
    }
    std::vector<String> log;
};

TEST_F(FormEventsTest, EachEventKindReachesItsHandler) {
    TForm* form = Read(FormText());
    auto* pan = Find<TskSkinPanel>(form, "Pan");
    auto* split = Find<TSplitter>(form, "Split");
    auto* item = Find<TMenuItem>(form, "Item");
    auto* tray = Find<TskTrayIcon>(form, "Tray");
    ASSERT_TRUE(pan && split && item && tray);

    TCloseAction action = caFree;
    ASSERT_TRUE(form->OnClose);
    form->OnClose(form, action);
    EXPECT_EQ(action, caNone);
    ASSERT_TRUE(form->OnShow);
    form->OnShow(form);
    int minWidth = 0, minHeight = 0, maxWidth = 0, maxHeight = 0;
    ASSERT_TRUE(form->OnConstrainedResize);
    form->OnConstrainedResize(form, minWidth, minHeight, maxWidth, maxHeight);
    EXPECT_EQ(minWidth, 77);
    ASSERT_TRUE(pan->OnClick && pan->OnResize);
    pan->OnClick(pan);
    pan->OnResize(pan);
    int size = 10;
    bool accept = true;
    ASSERT_TRUE(split->OnCanResize);
    split->OnCanResize(split, size, accept);
    EXPECT_FALSE(accept);
    ASSERT_TRUE(item->OnClick);
    item->OnClick(item);
    ASSERT_TRUE(tray->OnDblClick);
    tray->OnDblClick(tray);

    EXPECT_EQ(log, (std::vector<String>{"FormClose", "FormShow", "FormConstrained", "PanClick", "PanResize",
                                        "SplitCanResize", "ItemClick", "TrayDblClick"}));
    // The bindings stay with the components, so a written resource keeps them.
    ASSERT_EQ(pan->EventBindings.size(), 2u);
    EXPECT_EQ(pan->EventBindings[0].first, "OnClick");
    EXPECT_EQ(pan->EventBindings[0].second.Str, "PanClick");
    form->Free();
}

TEST_F(FormEventsTest, AHandlerTheWindowLacksOrOfAnotherKindIsAReadError) {
    const char* const bad[] = {
        // no such handler
        "  object P: TskSkinPanel\n    OnClick = NoSuchHandler\n  end\n",
        // a close handler on a click
        "  object P: TskSkinPanel\n    OnClick = FormClose\n  end\n",
        // a close handler on a control that is no form
        "  object P: TskSkinPanel\n    OnClose = FormClose\n  end\n",
        // a notify handler on an event of another signature
        "  object S: TSplitter\n    OnCanResize = PanClick\n  end\n",
        // the splitter's handler on a constrained resize, and the other way round
        "  object P: TskSkinPanel\n    OnConstrainedResize = SplitCanResize\n  end\n",
        "  object S: TSplitter\n    OnCanResize = FormConstrained\n  end\n",
        // a menu item has no double click
        "  object M: TPopupMenu\n    object I: TMenuItem\n      OnDblClick = ItemClick\n    end\n  end\n",
    };
    for (const char* extra : bad) {
        EXPECT_THROW(Read(FormText(extra)), EReadError) << extra;
        EXPECT_TRUE(log.empty()) << extra;
    }
}

} // namespace
} // namespace vd
