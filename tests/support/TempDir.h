#pragma once
// A fresh folder for one test, removed with everything in it afterwards.
#include <string>

namespace vd::test {

class TTempDir {
public:
    TTempDir(); // under $TMPDIR or /tmp; aborts the test program when none can be made
    ~TTempDir();
    TTempDir(const TTempDir&) = delete;
    TTempDir& operator=(const TTempDir&) = delete;

    const std::string& Path() const { return FPath; }
    std::string File(const std::string& name) const { return FPath + "/" + name; }
    // A file in the folder (its subfolders made), and its bytes ("" when unreadable).
    void Write(const std::string& name, const std::string& text) const;
    std::string Read(const std::string& name) const;

private:
    std::string FPath;
};

} // namespace vd::test
