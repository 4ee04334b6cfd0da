#pragma once
// The loaded skin: pictures, frame geometry, colours, window records and the skin records that
// every skinned control and frame looks up by name.
#include "platform/rtl/String.h"
#include "platform/vcl/ComponentLink.h"
#include "platform/vcl/Forward.h"
#include "skin/core/Forward.h"
#include "skin/store/Forward.h"
#include "skin/store/SkinBitmap.h"
#include "skin/store/SkinTypes.h"

#include <memory>
#include <string_view>
#include <vector>

namespace vd {

struct TskSkinContainer;

class TskSkinData : public TComponent {
public:
    // A form that owns the skin object hears its skin messages first.
    explicit TskSkinData(TComponent* AOwner = nullptr);
    ~TskSkinData() override;

    bool Empty() const { return FEmpty; }
    bool Changing() const { return FChanging; }
    // Why the last load ended with an empty skin; empty after a good load.
    const String& LastLoadError() const { return FLastLoadError; }
    // New (unique in the process) with every load and clear: what a control composed from older
    // pictures is stale.
    unsigned Generation() const { return FGeneration; }

    bool EnableSkinEffects = true;

    TskCompressedStoredSkin* CompressedStoredSkin() const { return FCompressedStoredSkin; }
    // Loads the stored skin at once when one is given.
    void SetCompressedStoredSkin(TskCompressedStoredSkin* value);
    TskResourceStrData* ResourceStrData() const { return FResourceStrData; }
    // Announces the new string table with WM_SKINSTRINGSCHANGED.
    void SetResourceStrData(TskResourceStrData* value);

    // Broadcast 1225, clear, unpack and read, broadcast 1226 and 1227. Nothing at all happens for
    // a stored skin without data. Any failure leaves the skin empty, and the messages still follow.
    void LoadStoredSkin(const TskCompressedStoredSkin* stored);
    void ClearRecords();
    void ClearSkin();
    // To the owner's window first (when the owner is a form), then every other form in list order.
    void BroadcastSkinMessage(unsigned msg);

    // Exact, case-sensitive, first match; -1 when none.
    int IndexOfControlRecord(std::string_view name) const;
    int IndexOfObjectRecord(std::string_view name) const;
    const std::vector<std::unique_ptr<TskDataSkinControl>>& ControlRecords() const { return FControlRecords; }
    const std::vector<std::unique_ptr<TskDataSkinObject>>& ObjectRecords() const { return FObjectRecords; }
    TskDataSkinControl* ControlRecord(int index) const;
    TskDataSkinObject* ObjectRecord(int index) const;

    const std::vector<std::unique_ptr<TskBitmap>>& ActivePictures() const { return FActivePictures; }
    // Null for -1 or an index not below the count.
    const TskBitmap* ActivePicture(int index) const;

    TskSkinColors& SkinColors() const { return *FSkinColors; }
    TskDataSkinPopupWindow& PopupWindow() const { return *FPopupWindow; }
    TskDataSkinHintWindow& HintWindow() const { return *FHintWindow; }

    static void SplitNameKind(std::string_view entry, String& name, String& kind);

    TskBitmap Picture, InactivePicture, Mask;
    String PictureName, InactivePictureName, MaskName;
    std::vector<String> ActivePictureNames;

    TRect buttonsrect, captionrect;
    int buttonsoffset = 0;
    bool buttonsinleft = false;
    bool autorenderinginactiveimage = false;
    TskImageEffect inactiveeffect = ieBrightness;
    TPoint lefttoppoint, righttoppoint, leftbottompoint, rightbottompoint;
    int bgpictureindex = -1, mdibgpictureindex = -1;
    bool mainmenupopupup = false;
    TRect maskrectarea;
    TPoint hittestlefttoppoint, hittestrighttoppoint, hittestleftbottompoint, hittestrightbottompoint;
    TRect clientrect;
    int borderwidth = 0, formminwidth = 0;
    bool topstretch = false, leftstretch = false, rightstretch = false, bottomstretch = false;
    String skinname, skinauthor, authorurl, authoremail, skincomments;

    void ReadFormInfoSection(const TskMemIniFile& ini);
    void LoadObjectRecords(const TskMemIniFile& ini);
    void LoadControlRecords(const TskMemIniFile& ini);

    // Form resources: EnableSkinEffects, and CompressedStoredSkin and ResourceStrData by
    // component name, resolved once the resource is read.
    bool SetProperty(const String& name, const TPropValue& value) override;
    void GetProperties(TPropList& out) const override;

protected:
    void Loaded() override;

private:
    static const TPropertyTable<TskSkinData>& Properties();
    void LoadContainer(const TskCompressedStoredSkin& stored);
    void ReadIni(const TskMemIniFile& ini);
    void ResetFormInfo();

    bool FEmpty = true;
    bool FChanging = false;
    unsigned FGeneration = 0;
    String FLastLoadError;
    String FPendingStoredSkin, FPendingStrings;
    TComponentLink<TskCompressedStoredSkin> FCompressedStoredSkin{this};
    TComponentLink<TskResourceStrData> FResourceStrData{this};
    std::unique_ptr<TskSkinColors> FSkinColors;
    std::unique_ptr<TskDataSkinPopupWindow> FPopupWindow;
    std::unique_ptr<TskDataSkinHintWindow> FHintWindow;
    std::vector<std::unique_ptr<TskBitmap>> FActivePictures;
    std::vector<std::unique_ptr<TskDataSkinObject>> FObjectRecords;
    std::vector<std::unique_ptr<TskDataSkinControl>> FControlRecords;
};

} // namespace vd
