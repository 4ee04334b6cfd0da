#pragma once
// One pass over a record's keys, either reading them from a skin INI or writing them back.
#include "platform/rtl/String.h"
#include "skin/store/Forward.h"
#include "skin/store/SkinTypes.h"

#include <string_view>

namespace vd {

class TskIniExchange {
public:
    TskIniExchange(std::string_view section) : FSection(section) {}
    virtual ~TskIniExchange() = default;
    virtual bool Writing() const = 0;

    virtual void Int(const char* key, int& v, int def) = 0;
    void Color(const char* key, TskColor& v, TskColor def = 0) { Int(key, v, def); }
    virtual void Bool(const char* key, bool& v) = 0;
    virtual void Rect(const char* key, TRect& v) = 0;
    virtual void Point(const char* key, TPoint& v) = 0;
    virtual void Str(const char* key, String& v, const char* def) = 0;
    virtual void Style(const char* key, TskFontStyles& v) = 0;
    virtual void Align(const char* key, TskAlignment& v) = 0;
    virtual void Morph(const char* key, TskMorphKind& v) = 0;
    virtual void Command(const char* key, TskStdCommand& v) = 0;

    // The four corner points and the four stretch flags of a framed picture.
    void Corners(TPoint& leftTop, TPoint& rightTop, TPoint& leftBottom, TPoint& rightBottom) {
        Point("lefttoppoint", leftTop);
        Point("righttoppoint", rightTop);
        Point("leftbottompoint", leftBottom);
        Point("rightbottompoint", rightBottom);
    }
    void Stretches(bool& left, bool& top, bool& right, bool& bottom) {
        Bool("leftstretch", left);
        Bool("topstretch", top);
        Bool("rightstretch", right);
        Bool("bottomstretch", bottom);
    }

    // The caption-font block that most kinds share: name "Arial", height 14, style, colour.
    void Font(String& name, int& height, TskFontStyles& style, TskColor& color) {
        Str("fontname", name, "Arial");
        Int("fontheight", height, 14);
        Style("fontstyle", style);
        Color("fontcolor", color);
    }

protected:
    String FSection;
};

class TskIniReader final : public TskIniExchange {
public:
    TskIniReader(const TskMemIniFile& ini, std::string_view section) : TskIniExchange(section), FIni(ini) {}
    bool Writing() const override { return false; }
    void Int(const char* key, int& v, int def) override;
    void Bool(const char* key, bool& v) override;
    void Rect(const char* key, TRect& v) override;
    void Point(const char* key, TPoint& v) override;
    void Str(const char* key, String& v, const char* def) override;
    void Style(const char* key, TskFontStyles& v) override;
    void Align(const char* key, TskAlignment& v) override;
    void Morph(const char* key, TskMorphKind& v) override;
    void Command(const char* key, TskStdCommand& v) override;

private:
    const TskMemIniFile& FIni;
};

class TskIniWriter final : public TskIniExchange {
public:
    // Writing replaces the section: its old keys go first.
    TskIniWriter(TskMemIniFile& ini, std::string_view section);
    bool Writing() const override { return true; }
    void Int(const char* key, int& v, int def) override;
    void Bool(const char* key, bool& v) override;
    void Rect(const char* key, TRect& v) override;
    void Point(const char* key, TPoint& v) override;
    void Str(const char* key, String& v, const char* def) override;
    void Style(const char* key, TskFontStyles& v) override;
    void Align(const char* key, TskAlignment& v) override;
    void Morph(const char* key, TskMorphKind& v) override;
    void Command(const char* key, TskStdCommand& v) override;

private:
    TskMemIniFile& FIni;
};

} // namespace vd
