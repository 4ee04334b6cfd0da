#include "platform/vcl/Menus.h"

#include "platform/vcl/ActionClient.h"
#include "platform/vcl/ActnList.h"

#include "platform/win/Windows.h"

#include <algorithm>
#include <atomic>
#include <cctype>

namespace vd {
namespace {

std::atomic<UINT> gNextCommand{1};

struct KeyName {
    Word key;
    const char* name;
};
const KeyName kKeyNames[] = {
    {VK_BACK, "BkSp"},  {VK_TAB, "Tab"},     {VK_RETURN, "Enter"}, {VK_ESCAPE, "Esc"}, {VK_SPACE, "Space"},
    {VK_PRIOR, "PgUp"}, {VK_NEXT, "PgDn"},   {VK_END, "End"},      {VK_HOME, "Home"},  {VK_LEFT, "Left"},
    {VK_UP, "Up"},      {VK_RIGHT, "Right"}, {VK_DOWN, "Down"},    {VK_INSERT, "Ins"}, {VK_DELETE, "Del"}};

String KeyToText(Word key) {
    for (const auto& k : kKeyNames)
        if (k.key == key) return k.name;
    if ((key >= '0' && key <= '9') || (key >= 'A' && key <= 'Z')) return String(1, static_cast<char>(key));
    if (key >= VK_F1 && key <= VK_F1 + 23) return "F" + std::to_string(key - VK_F1 + 1);
    return String();
}

bool SameTextCI(const String& a, const String& b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (std::tolower(static_cast<unsigned char>(a[i])) != std::tolower(static_cast<unsigned char>(b[i])))
            return false;
    return true;
}

} // namespace

TShortCut ShortCut(Word Key, TShiftState Shift) {
    if (Key & 0xFF00) return 0;
    TShortCut r = Key;
    if (Shift & ssShift) r |= scShift;
    if (Shift & ssCtrl) r |= scCtrl;
    if (Shift & ssAlt) r |= scAlt;
    return r;
}

String ShortCutToText(TShortCut sc) {
    const String name = KeyToText(sc & 0xFF);
    if (name.empty()) return String();
    String r;
    if (sc & scShift) r += "Shift+";
    if (sc & scCtrl) r += "Ctrl+";
    if (sc & scAlt) r += "Alt+";
    return r + name;
}

TShortCut TextToShortCut(const String& Text) {
    TShortCut shift = 0;
    String rest = Text;
    for (;;) {
        auto take = [&](const char* prefix, TShortCut bit) {
            const String p(prefix);
            if (rest.size() > p.size() && SameTextCI(rest.substr(0, p.size()), p)) {
                rest = rest.substr(p.size());
                shift |= bit;
                return true;
            }
            return false;
        };
        if (!take("Shift+", scShift) && !take("Ctrl+", scCtrl) && !take("Alt+", scAlt)) break;
    }
    if (rest.empty()) return 0;
    for (Word key = 8; key < 255; ++key)
        if (SameTextCI(KeyToText(key), rest)) return static_cast<TShortCut>(key | shift);
    return 0;
}

bool IsAccel(unsigned Char, const String& Caption) {
    for (std::size_t i = 0; i + 1 < Caption.size(); ++i) {
        if (Caption[i] != '&') continue;
        if (Caption[i + 1] == '&') {
            ++i;
            continue;
        }
        return std::toupper(static_cast<unsigned char>(Caption[i + 1])) ==
                   std::toupper(static_cast<int>(Char & 0xFF)) &&
               Char < 256;
    }
    return false;
}

String StripHotkey(const String& Caption) {
    String r;
    for (std::size_t i = 0; i < Caption.size(); ++i) {
        if (Caption[i] == '&') {
            if (i + 1 < Caption.size() && Caption[i + 1] == '&') r += '&', ++i;
            continue;
        }
        r += Caption[i];
    }
    return r;
}

TMenuItem::TMenuItem(TComponent* AOwner) : TComponent(AOwner), FCommand(gNextCommand++) {}

TMenuItem::~TMenuItem() {
    Clear();
    if (FParent) FParent->Remove(this);
}

void TMenuItem::SetCaption(const String& v) {
    FCaption = v;
}

void TMenuItem::Add(TMenuItem* item) {
    Insert(Count(), item);
}

void TMenuItem::Insert(int index, TMenuItem* item) {
    if (!item || item == this) return;
    if (item->FParent) item->FParent->Remove(item);
    index = std::clamp(index, 0, Count());
    FItems.insert(FItems.begin() + index, item);
    item->FParent = this;
}

void TMenuItem::Remove(TMenuItem* item) {
    auto it = std::find(FItems.begin(), FItems.end(), item);
    if (it == FItems.end()) return;
    FItems.erase(it);
    item->FParent = nullptr;
}

void TMenuItem::Delete(int index) {
    TMenuItem* item = Items(index);
    Remove(item);
    item->Free();
}

void TMenuItem::Clear() {
    while (!FItems.empty())
        Delete(Count() - 1);
}

int TMenuItem::IndexOf(const TMenuItem* item) const {
    auto it = std::find(FItems.begin(), FItems.end(), item);
    return it == FItems.end() ? -1 : static_cast<int>(it - FItems.begin());
}

TMenu* TMenuItem::GetParentMenu() const {
    const TMenuItem* i = this;
    while (i->FParent)
        i = i->FParent;
    return i->FMenu;
}

TMenuItem* TMenuItem::Find(const String& caption) const {
    for (TMenuItem* i : FItems)
        if (SameTextCI(StripHotkey(i->FCaption), StripHotkey(caption))) return i;
    return nullptr;
}

void TMenuItem::Click() {
    if (!Enabled) return;
    ClickOrExecute(OnClick, this, FActionLink);
}

TBasicAction* TMenuItem::Action() const {
    return LinkedAction(FActionLink);
}

void TMenuItem::SetAction(TBasicAction* action) {
    LinkAction(FActionLink, action, [this](TBasicAction* a) { ActionChange(a); });
}

void TMenuItem::ActionChange(TBasicAction* Sender) {
    auto* a = dynamic_cast<TCustomAction*>(Sender);
    if (!a) return;
    SetCaption(a->Caption());
    Enabled = a->Enabled();
    Checked = a->Checked();
    Hint = a->Hint();
    ImageIndex = a->ImageIndex();
    Visible = a->Visible();
    ShortCut = a->ShortCut();
}

TMenu::TMenu(TComponent* AOwner) : TComponent(AOwner), FItems(new TMenuItem(nullptr)) {
    FItems->FMenu = this;
}

TMenu::~TMenu() {
    FItems->Free();
}

void TMenu::SetImages(TComponent* v) {
    FImages = v;
}

static TMenuItem* FindCommand(TMenuItem* item, UINT command) {
    if (item->Command() == command) return item;
    for (int i = 0; i < item->Count(); ++i)
        if (TMenuItem* r = FindCommand(item->Items(i), command)) return r;
    return nullptr;
}

TMenuItem* TMenu::FindItem(UINT Command) const {
    return FindCommand(FItems, Command);
}

bool TMenu::DispatchCommand(UINT Command) {
    TMenuItem* item = FindItem(Command);
    if (!item) return false;
    item->Click();
    return true;
}

static TMenuItem* FindShortCut(TMenuItem* item, TShortCut sc) {
    for (int i = 0; i < item->Count(); ++i) {
        TMenuItem* c = item->Items(i);
        if (!c->Enabled) continue;
        if (c->ShortCut == sc && c->Count() == 0) return c;
        if (TMenuItem* r = FindShortCut(c, sc)) return r;
    }
    return nullptr;
}

bool TMenu::IsShortCut(const TMessage& Message) {
    TShiftState shift = KeyDataToShiftState(Message.LParam);
    const TShortCut sc = ShortCut(static_cast<Word>(Message.WParam), shift);
    if (sc == 0) return false;
    TMenuItem* item = FindShortCut(FItems, sc);
    if (!item) return false;
    item->Click();
    return true;
}

TPopupMenu::TPopupMenu(TComponent* AOwner) : TMenu(AOwner) {}

void TPopupMenu::Popup(int X, int Y) {
    FPopupPoint = {X, Y};
    if (OnPopup) OnPopup(this);
}

void TPopupMenu::Notification(TComponent* AComponent, TOperation Operation) {
    TComponent::Notification(AComponent, Operation);
    if (Operation == opRemove && AComponent == FPopupComponent) FPopupComponent = nullptr;
}

} // namespace vd
