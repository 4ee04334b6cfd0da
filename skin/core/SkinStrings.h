#pragma once
// The skin engine's own user-visible texts as KEY=Text lines; language files replace them.
#include "platform/rtl/String.h"
#include "platform/rtl/Types.h"
#include "platform/vcl/Component.h"
#include "platform/vcl/Forward.h"

#include <string_view>
#include <vector>

namespace vd {

class TskResourceStrData : public TComponent {
public:
    // Starts with the 118 default lines and DEFAULT_CHARSET.
    explicit TskResourceStrData(TComponent* AOwner = nullptr);

    const std::vector<String>& ResStrings() const { return FResStrings; }
    void SetResStrings(const std::vector<String>& lines);

    // The text after the first "=" of the first line whose key matches regardless of case;
    // empty when no line bears the key.
    String LookupResString(std::string_view key) const;

    // Character set given to the fonts of skinned captions (a hint for font matching here).
    Byte CharSet() const { return FCharSet; }
    void SetCharSet(Byte value) { FCharSet = value; }

    static const std::vector<String>& DefaultStrings();

    // Form resources: ResStrings as one text of CR LF lines (or a list of lines), CharSet as a
    // number or DEFAULT_CHARSET.
    bool SetProperty(const String& name, const TPropValue& value) override;
    void GetProperties(TPropList& out) const override;

private:
    static const TPropertyTable<TskResourceStrData>& Properties();
    std::vector<String> FResStrings;
    Byte FCharSet = 1; // DEFAULT_CHARSET
};

} // namespace vd
