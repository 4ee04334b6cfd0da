#include "platform/shell/namespace/ShellNamespace.h"
#include "platform/rtl/SysUtils.h"
#include "tests/support/TempDir.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <ctime>
#include <fcntl.h>
#include <sys/mount.h>
#include <sys/stat.h>
#include <unistd.h>

namespace vd::test {
namespace {

// A mount table as the kernel writes it: the root, pseudo file systems, volumes in the places
// that count, a bind mount of a folder, a loop image, a device mounted twice and one elsewhere.
const char* const kMountInfo = "27 1 8:2 / / rw,relatime shared:1 - ext4 /dev/sda2 rw\n"
                               "21 27 0:20 / /proc rw,relatime - proc proc rw\n"
                               "22 27 0:21 / /sys rw,relatime - sysfs sysfs rw\n"
                               "30 27 0:25 / /run rw,nosuid - tmpfs tmpfs rw\n"
                               "31 27 8:3 / /home rw,relatime shared:2 - ext4 /dev/sda3 rw\n"
                               "32 30 8:17 / /media/ann/USB\\040STICK rw shared:3 - vfat /dev/sdb1 rw\n"
                               "33 27 8:2 /srv /mnt/bind rw - ext4 /dev/sda2 rw\n"
                               "34 27 7:0 / /snap/core/1 ro - squashfs /dev/loop0 ro\n"
                               "35 27 8:33 / /mnt/data rw - xfs /dev/sdc1 rw\n"
                               "36 27 8:33 / /mnt/again rw - xfs /dev/sdc1 rw\n"
                               "37 27 8:49 / /data rw - ext4 /dev/sdd1 rw\n"
                               "38 27 0:40 / /mnt/net rw - nfs4 server:/export rw\n"
                               "39 27 8:2 / /mnt/rootagain rw - ext4 /dev/sda2 rw\n"
                               "broken line\n";

TEST(ShellItemIds, ListRoutines) {
    const ItemIdList abc{"a", "b", "c"};
    const auto chain = CreateItemIdChain(abc);
    ASSERT_EQ(chain.size(), 3u);
    EXPECT_EQ(chain[0], (ItemIdList{"a"}));
    EXPECT_EQ(chain[1], (ItemIdList{"a", "b"}));
    EXPECT_EQ(chain[2], abc);
    EXPECT_TRUE(CreateItemIdChain({}).empty());
    EXPECT_EQ(ConcatItemIdLists({}, abc), abc);
    EXPECT_EQ(ConcatItemIdLists({"x"}, {"y"}), (ItemIdList{"x", "y"}));
    ItemIdList empty;
    StripLastItemId(empty);
    EXPECT_TRUE(empty.empty());
    ItemIdList l = abc;
    StripLastItemId(l);
    EXPECT_EQ(l, (ItemIdList{"a", "b"}));
    EXPECT_EQ(LastItemId(abc), (ItemIdList{"c"}));
    EXPECT_TRUE(LastItemId({}).empty());
    EXPECT_EQ(ItemIdCount(abc), 3);
    EXPECT_TRUE(SameItemIdList(abc, ItemIdList{"a", "b", "c"}));
    EXPECT_FALSE(SameItemIdList(abc, ItemIdList{"a", "B", "c"})) << "names differing in case differ";
}

TEST(ShellMounts, OnlyVolumesWorthShowing) {
    const auto v = ParseMountInfo(kMountInfo);
    std::vector<String> points;
    for (const auto& m : v)
        points.push_back(m.MountPoint);
    EXPECT_EQ(points, (std::vector<String>{"/", "/home", "/media/ann/USB STICK", "/mnt/data"}));
    EXPECT_EQ(v[0].Device, "/dev/sda2");
    EXPECT_TRUE(v[2].Removable) << "mounted under /media";
    EXPECT_FALSE(v[3].Removable);
    EXPECT_EQ(ParseMountInfo("").size(), 1u) << "the root is always there";
}

class ShellNamespaceTest : public ::testing::Test {
protected:
    void SetUp() override {
        Home = Dir.File("home");
        ::mkdir(Home.c_str(), 0755);
        ::mkdir((Home + "/.config").c_str(), 0755);
        ::mkdir((Home + "/Schreibtisch").c_str(), 0755);
        ::mkdir((Home + "/data").c_str(), 0755);
        ::mkdir((Home + "/data/fonts").c_str(), 0755);
        Dir.Write("home/.config/user-dirs.dirs",
                  "# written by xdg-user-dirs-update\nXDG_DESKTOP_DIR=\"$HOME/Schreibtisch\"\n"
                  "XDG_TEMPLATES_DIR=\"$HOME/\"\n");
        Env.Home = Home;
        Env.MountInfo = kMountInfo;
        Env.Variables["XDG_DATA_HOME"] = Home + "/data";
        Env.Label = [](const String& dev) { return dev == "/dev/sdc1" ? String("Archive") : String(); };
        Env.Removable = [](const String&) { return false; };
    }
    // The fixture tree: folders, files, hidden ones, links, odd names.
    String Tree() {
        const String t = Dir.File("tree");
        for (const char* d : {"", "/b", "/A", "/a10", "/a9", "/.hidden", "/x.zip", "/b/inner", "/empty"})
            ::mkdir((t + d).c_str(), 0755);
        for (const char* f : {"c.TXT", "d.txt", "noext", ".dot", "q?1", "\xff\xfe.bin", "real.zip"})
            Dir.Write(String("tree/") + f, "12345");
        EXPECT_EQ(::symlink((t + "/b").c_str(), (t + "/linkdir").c_str()), 0);
        EXPECT_EQ(::symlink((t + "/gone").c_str(), (t + "/broken").c_str()), 0);
        return t;
    }
    TTempDir Dir;
    String Home;
    ShellEnvironment Env;
};

TEST_F(ShellNamespaceTest, DesktopHoldsHomeAndComputer) {
    TShellNamespace ns(Env);
    std::vector<String> c;
    ASSERT_TRUE(ns.Enumerate({}, SHCONTF_FOLDERS, c));
    EXPECT_EQ(c, (std::vector<String>{"home", "computer"}));
    ASSERT_TRUE(ns.Enumerate({}, SHCONTF_NONFOLDERS, c));
    EXPECT_TRUE(c.empty());
    ASSERT_TRUE(ns.Enumerate({"computer"}, SHCONTF_FOLDERS, c));
    EXPECT_EQ(c, (std::vector<String>{"/", "/home", "/media/ann/USB STICK", "/mnt/data"}));
    struct Name {
        ItemIdList Item;
        String Normal, Parsing;
    };
    const Name names[] = {
        {{}, "Desktop", "Desktop"},
        {{"home"}, "Home", Home},
        {{"computer"}, "Computer", "Computer"},
        {{"computer", "/"}, "File System", "/"},
        {{"computer", "/mnt/data"}, "Archive", "/mnt/data"},
        {{"computer", "/media/ann/USB STICK"}, "USB STICK", "/media/ann/USB STICK"},
        {{"computer", "/", "usr"}, "usr", "/usr"},
        {{"home", "data"}, "data", Home + "/data"},
    };
    for (const Name& n : names) {
        EXPECT_EQ(ns.DisplayName(n.Item, SHGDN_INFOLDER), n.Normal);
        EXPECT_EQ(ns.DisplayName(n.Item, SHGDN_FORPARSING), n.Parsing);
    }
    EXPECT_EQ(ns.FileSystemPath({}), "");
    EXPECT_EQ(ns.FileSystemPath({"computer"}), "");
    EXPECT_EQ(ns.FileSystemPath({"computer", "/", "tmp"}), "/tmp");
    EXPECT_EQ(ns.KindOf({"computer", "/nowhere"}), TShellItemKind::Invalid);
    EXPECT_EQ(ns.KindOf({"home", ".."}), TShellItemKind::Invalid);
    EXPECT_EQ(ns.KindOf({"elsewhere"}), TShellItemKind::Invalid);
    EXPECT_EQ(ns.Attributes({"computer"}) & (SFGAO_FOLDER | SFGAO_FILESYSTEM), SFGAO_FOLDER);
    EXPECT_NE(ns.Attributes({"home"}) & SFGAO_FILESYSTEM, 0u);
    EXPECT_NE(ns.Attributes({"computer", "/media/ann/USB STICK"}, SFGAO_REMOVABLE), 0u)
        << "even when missing here";
}

TEST_F(ShellNamespaceTest, PathsParseThroughTheComputer) {
    TShellNamespace ns(Env);
    const String tree = Tree();
    struct Case {
        String Text;
        std::optional<ItemIdList> Item;
    };
    // The temporary folder lies on the root file system, or on the fixture's /home.
    const bool onHome = tree.compare(0, 6, "/home/") == 0;
    ItemIdList treeItem{"computer", onHome ? "/home" : "/"};
    for (std::size_t i = onHome ? 6 : 1, e; i < tree.size(); i = e + 1) {
        e = tree.find('/', i);
        if (e == String::npos) e = tree.size();
        treeItem.push_back(tree.substr(i, e - i));
    }
    const Case cases[] = {
        {"Desktop", ItemIdList{}},
        {"Computer", ItemIdList{"computer"}},
        {"/", ItemIdList{"computer", "/"}},
        {"/home", ItemIdList{"computer", "/home"}},
        {tree, treeItem},
        {tree + "//b/./inner/..//", ConcatItemIdLists(treeItem, {"b"})},
        {tree + "/../tree/q?1", ConcatItemIdLists(treeItem, {"q?1"})},
        {tree + "/missing", std::nullopt},
        {"tree/b", std::nullopt},
        {"Home", std::nullopt},
        {"rfDesktop", std::nullopt},
        {"", std::nullopt},
        {"desktop", std::nullopt},
    };
    for (const Case& c : cases)
        EXPECT_EQ(ns.ParseDisplayName(c.Text), c.Item) << c.Text;
    // Every item's parsing name parses back to an item with the same parsing name.
    for (const ItemIdList& item :
         {ItemIdList{}, ItemIdList{"computer"}, ItemIdList{"home"}, ConcatItemIdLists(treeItem, {"b"})}) {
        const auto back = ns.ParseDisplayName(ns.DisplayName(item, SHGDN_FORPARSING));
        ASSERT_TRUE(back) << ns.DisplayName(item, SHGDN_FORPARSING);
        EXPECT_EQ(ns.DisplayName(*back, SHGDN_FORPARSING), ns.DisplayName(item, SHGDN_FORPARSING));
    }
}

TEST_F(ShellNamespaceTest, SpecialFoldersMapToXdgPlacesOrNothing) {
    TShellNamespace ns(Env);
    const auto at = [&](int csidl) {
        const auto item = ns.SpecialFolder(csidl);
        return item ? ns.DisplayName(*item, SHGDN_FORPARSING) : String("(none)");
    };
    EXPECT_EQ(at(CSIDL_DESKTOP), "Desktop");
    EXPECT_EQ(at(CSIDL_DRIVES), "Computer");
    EXPECT_EQ(at(CSIDL_PERSONAL), Home);
    EXPECT_EQ(ns.SpecialFolder(CSIDL_PERSONAL), (ItemIdList{"home"}));
    EXPECT_EQ(at(CSIDL_DESKTOPDIRECTORY), Home + "/Schreibtisch") << "from user-dirs.dirs";
    EXPECT_EQ(at(CSIDL_APPDATA), Home + "/.config");
    EXPECT_EQ(at(CSIDL_FONTS), Home + "/data/fonts");
    EXPECT_EQ(at(CSIDL_TEMPLATES), "(none)") << "set to the home folder: disabled";
    for (int csidl :
         {0x01, 0x02, 0x03, 0x04, 0x06, 0x07, 0x08, 0x09, 0x0A, 0x0B, 0x12, 0x16, 0x17, 0x18, 0x19, 0x1B})
        EXPECT_EQ(at(csidl), "(none)") << csidl;
    // A variable wins over the file; a place that does not exist is none.
    Env.Variables["XDG_DESKTOP_DIR"] = Home + "/data";
    Env.Variables["XDG_CONFIG_HOME"] = Home + "/missing";
    TShellNamespace other(Env);
    EXPECT_EQ(other.DisplayName(*other.SpecialFolder(CSIDL_DESKTOPDIRECTORY), SHGDN_FORPARSING),
              Home + "/data");
    EXPECT_FALSE(other.SpecialFolder(CSIDL_APPDATA));
    Env.Home.clear();
    TShellNamespace homeless(Env);
    EXPECT_FALSE(homeless.SpecialFolder(CSIDL_PERSONAL));
    std::vector<String> c;
    homeless.Enumerate({}, SHCONTF_FOLDERS, c);
    EXPECT_EQ(c, (std::vector<String>{"computer"}));
}

TEST_F(ShellNamespaceTest, EnumerationFlagsOrderAndAttributes) {
    TShellNamespace ns(Env);
    const String tree = Tree();
    const ItemIdList folder = *ns.ParseDisplayName(tree);
    auto list = [&](unsigned flags) {
        std::vector<String> c;
        EXPECT_TRUE(ns.Enumerate(folder, flags, c));
        std::sort(c.begin(), c.end(),
                  [&](const String& a, const String& b) { return ns.CompareIds(folder, a, b) < 0; });
        return c;
    };
    EXPECT_EQ(list(SHCONTF_FOLDERS),
              (std::vector<String>{"A", "a9", "a10", "b", "empty", "linkdir", "x.zip"}));
    EXPECT_EQ(list(SHCONTF_NONFOLDERS),
              (std::vector<String>{"broken", "c.TXT", "d.txt", "noext", "q?1", "real.zip", "\xff\xfe.bin"}));
    EXPECT_EQ(list(SHCONTF_FOLDERS | SHCONTF_NONFOLDERS | SHCONTF_INCLUDEHIDDEN).size(), 16u);
    EXPECT_EQ(list(SHCONTF_FOLDERS | SHCONTF_INCLUDEHIDDEN).front(), ".hidden");

    auto attrs = [&](const char* name) { return ns.Attributes(ConcatItemIdLists(folder, {name})); };
    EXPECT_NE(attrs("x.zip") & SFGAO_FOLDER, 0u) << "a folder with an archive's name is a folder";
    EXPECT_EQ(attrs("real.zip") & SFGAO_FOLDER, 0u);
    EXPECT_EQ(attrs("linkdir") & (SFGAO_FOLDER | SFGAO_LINK), SFGAO_FOLDER | SFGAO_LINK);
    EXPECT_EQ(attrs("broken") & (SFGAO_FOLDER | SFGAO_LINK), SFGAO_LINK) << "a broken link is a file";
    EXPECT_NE(attrs(".dot") & SFGAO_HIDDEN, 0u);
    EXPECT_EQ(attrs("d.txt") & SFGAO_HIDDEN, 0u);
    EXPECT_NE(attrs("d.txt") & SFGAO_CANRENAME, 0u);
    EXPECT_NE(attrs("b") & SFGAO_HASSUBFOLDER, 0u);
    EXPECT_EQ(attrs("empty") & SFGAO_HASSUBFOLDER, 0u);
    EXPECT_EQ(attrs("gone"), 0u) << "nothing there";
    EXPECT_EQ(ns.Attributes({"computer", "/"}) & SFGAO_CANRENAME, 0u) << "volumes are not renamed";
    EXPECT_EQ(ns.Icon(ConcatItemIdLists(folder, {"b"}), true), siFolderOpen);
    EXPECT_EQ(ns.Icon(ConcatItemIdLists(folder, {"d.txt"}), false), siFile);
    EXPECT_EQ(ns.Icon({"computer", "/"}, false), siDrive);

    // Names are shown as they are; bytes that are no UTF-8 are shown replaced and kept in the path.
    EXPECT_EQ(ns.DisplayName(ConcatItemIdLists(folder, {"q?1"}), SHGDN_INFOLDER), "q?1");
    EXPECT_EQ(ns.DisplayName(ConcatItemIdLists(folder, {"\xff\xfe.bin"}), SHGDN_INFOLDER),
              "\xEF\xBF\xBD\xEF\xBF\xBD.bin");
    EXPECT_EQ(ns.DisplayName(ConcatItemIdLists(folder, {"\xff\xfe.bin"}), SHGDN_FORPARSING),
              tree + "/\xff\xfe.bin");

    std::vector<String> none;
    EXPECT_FALSE(ns.Enumerate(ConcatItemIdLists(folder, {"d.txt"}), SHCONTF_NONFOLDERS, none))
        << "not a folder";
    EXPECT_FALSE(ns.Enumerate(ConcatItemIdLists(folder, {"gone"}), SHCONTF_NONFOLDERS, none));
}

TEST_F(ShellNamespaceTest, UnreadableFolders) {
    if (::geteuid() == 0) GTEST_SKIP() << "root reads every folder";
    TShellNamespace ns(Env);
    const String tree = Tree();
    ::chmod((tree + "/b").c_str(), 0);
    const ItemIdList b = ConcatItemIdLists(*ns.ParseDisplayName(tree), {"b"});
    std::vector<String> c;
    EXPECT_FALSE(ns.Enumerate(b, SHCONTF_FOLDERS, c));
    EXPECT_EQ(ns.Attributes(b) & SFGAO_HASSUBFOLDER, 0u);
    ::chmod((tree + "/b").c_str(), 0755);
}

TEST_F(ShellNamespaceTest, NaturalOrderIsTotal) {
    const String names[] = {"a", "A",  "a1", "a01",      "a2", "a10", "B",
                            "b", "_x", "~",  "\xc3\xa9", "1",  "01",  "10"};
    for (const String& x : names) {
        EXPECT_EQ(TShellNamespace::CompareNames(x, false, x, false), 0);
        for (const String& y : names) {
            const int xy = TShellNamespace::CompareNames(x, false, y, false);
            EXPECT_EQ(xy, -TShellNamespace::CompareNames(y, false, x, false)) << x << " " << y;
            if (x != y) {
                EXPECT_NE(xy, 0) << x << " " << y;
            }
            for (const String& z : names) {
                if (xy < 0 && TShellNamespace::CompareNames(y, false, z, false) < 0) {
                    EXPECT_LT(TShellNamespace::CompareNames(x, false, z, false), 0)
                        << x << " " << y << " " << z;
                }
            }
        }
    }
    EXPECT_LT(TShellNamespace::CompareNames("a9", false, "a10", false), 0);
    EXPECT_LT(TShellNamespace::CompareNames("zz", true, "aa", false), 0) << "folders first";
}

TEST_F(ShellNamespaceTest, RenameNeverReplacesAndRefusesBadNames) {
    TShellNamespace ns(Env);
    const String tree = Tree();
    const ItemIdList folder = *ns.ParseDisplayName(tree);
    const ItemIdList d = ConcatItemIdLists(folder, {"d.txt"});
    int err = 0;
    const auto renamed = ns.Rename(d, "e.txt", &err);
    ASSERT_TRUE(renamed) << err;
    EXPECT_EQ(*renamed, ConcatItemIdLists(folder, {"e.txt"}));
    EXPECT_TRUE(Dir.Read("tree/e.txt") == "12345");
    EXPECT_FALSE(::access((tree + "/d.txt").c_str(), F_OK) == 0);

    Dir.Write("tree/keep.txt", "keep");
    EXPECT_FALSE(ns.Rename(*renamed, "keep.txt", &err));
    EXPECT_EQ(err, EEXIST);
    EXPECT_EQ(Dir.Read("tree/keep.txt"), "keep") << "never replaced";
    EXPECT_EQ(Dir.Read("tree/e.txt"), "12345");
    for (const char* bad : {"", ".", "..", "a/b", "../e.txt"}) {
        EXPECT_FALSE(ns.Rename(*renamed, bad, &err)) << bad;
        EXPECT_EQ(err, EINVAL) << bad;
    }
    EXPECT_FALSE(ns.Rename(*renamed, String("a\0b", 3), &err));
    for (const ItemIdList& item :
         {ItemIdList{}, ItemIdList{"home"}, ItemIdList{"computer"}, ItemIdList{"computer", "/"}})
        EXPECT_FALSE(ns.Rename(item, "x", &err));
    EXPECT_EQ(Dir.Read("tree/e.txt"), "12345");
}

TEST_F(ShellNamespaceTest, FileDetails) {
    ::setenv("TZ", "UTC", 1);
    ::tzset();
    TShellNamespace ns(Env);
    const String tree = Tree();
    const ItemIdList folder = *ns.ParseDisplayName(tree);
    const timespec times[2] = {{1700000000, 0}, {1700000000, 0}}; // 2023-11-14 22:13:20 UTC
    ASSERT_EQ(::utimensat(AT_FDCWD, (tree + "/c.TXT").c_str(), times, 0), 0);
    std::vector<String> d;
    ASSERT_TRUE(ns.FileDetails(ConcatItemIdLists(folder, {"c.TXT"}), d));
    EXPECT_EQ(d, (std::vector<String>{"5", ".TXT", "2023-11-14 22:13:20", "128"}));
    ASSERT_TRUE(ns.FileDetails(ConcatItemIdLists(folder, {"noext"}), d));
    EXPECT_EQ(d[1], "");
    ASSERT_TRUE(ns.FileDetails(ConcatItemIdLists(folder, {"b"}), d));
    EXPECT_EQ(d, (std::vector<String>{"", "", "", "16"})) << "folders have no size and no date";
    ASSERT_TRUE(ns.FileDetails(ConcatItemIdLists(folder, {".dot"}), d));
    EXPECT_EQ(d[3], "2");
    int err = 0;
    EXPECT_FALSE(ns.FileDetails(ConcatItemIdLists(folder, {"gone"}), d, &err));
    EXPECT_EQ(err, ENOENT);
    EXPECT_FALSE(ns.FileDetails({"computer"}, d));
}

TEST_F(ShellNamespaceTest, DeleteMovesToTheTrash) {
    TShellNamespace ns(Env);
    const String tree = Tree();
    const ItemIdList folder = *ns.ParseDisplayName(tree);
    const String trash = Home + "/data/Trash"; // XDG_DATA_HOME of the fixture
    int err = 0;
    ASSERT_TRUE(ns.MoveToTrash(ConcatItemIdLists(folder, {"c.TXT"}), &err)) << err;
    EXPECT_NE(::access((tree + "/c.TXT").c_str(), F_OK), 0);
    EXPECT_EQ(Dir.Read("home/data/Trash/files/c.TXT"), "12345");
    const String info = Dir.Read("home/data/Trash/info/c.TXT.trashinfo");
    EXPECT_EQ(info.rfind("[Trash Info]\nPath=" + tree + "/c.TXT\nDeletionDate=", 0), 0u) << info;
    // A second item of the same name takes a free one; the first stays.
    Dir.Write("tree/c.TXT", "second");
    ASSERT_TRUE(ns.MoveToTrash(ConcatItemIdLists(folder, {"c.TXT"}), &err));
    EXPECT_EQ(Dir.Read("home/data/Trash/files/c.TXT"), "12345");
    EXPECT_EQ(Dir.Read("home/data/Trash/files/c.TXT.2"), "second");
    // Odd bytes are escaped in the info file; folders go whole.
    ASSERT_TRUE(ns.MoveToTrash(ConcatItemIdLists(folder, {"q?1"})));
    EXPECT_NE(Dir.Read("home/data/Trash/info/q?1.trashinfo").find("/q%3F1\n"), String::npos);
    ASSERT_TRUE(ns.MoveToTrash(ConcatItemIdLists(folder, {"b"})));
    EXPECT_TRUE(::access((trash + "/files/b/inner").c_str(), F_OK) == 0);
    // Nothing that is not a plain entry, nothing that is gone.
    EXPECT_FALSE(ns.MoveToTrash({"home"}, &err));
    EXPECT_FALSE(ns.MoveToTrash({"computer", "/"}, &err));
    EXPECT_FALSE(ns.MoveToTrash(ConcatItemIdLists(folder, {"gone"}), &err));
}

// A second file system (a tmpfs the test mounts) beside the home trash's.
class ShellTrashVolume : public ShellNamespaceTest {
protected:
    void SetUp() override {
        ShellNamespaceTest::SetUp();
        Volume = Dir.File("volume");
        ::mkdir(Volume.c_str(), 0755);
        if (::mount("tmpfs", Volume.c_str(), "tmpfs", 0, "size=1m") != 0)
            GTEST_SKIP() << "cannot mount a tmpfs here: " << std::strerror(errno);
        Mounted = true;
        ::mkdir((Volume + "/sub").c_str(), 0755);
        Dir.Write("volume/sub/song.mp3", "abc");
    }
    void TearDown() override {
        if (Mounted) ::umount2(Volume.c_str(), MNT_DETACH);
    }
    ItemIdList Item(const TShellNamespace& ns, const String& path) { return *ns.ParseDisplayName(path); }
    String Uid() const { return IntToStr(static_cast<std::int64_t>(::getuid())); }
    String Volume;
    bool Mounted = false;
};

TEST_F(ShellTrashVolume, AnItemOnAnotherVolumeGoesToThatVolumesTrash) {
    TShellNamespace ns(Env);
    EXPECT_EQ(TrashTopDir(Volume + "/sub"), Volume);
    EXPECT_EQ(TrashTopDir(Home + "/data"), TrashTopDir(Dir.Path())) << "the home trash's own volume";
    int err = 0;
    ASSERT_TRUE(ns.MoveToTrash(Item(ns, Volume + "/sub/song.mp3"), &err)) << std::strerror(err);
    const String trash = Volume + "/.Trash-" + Uid();
    EXPECT_EQ(Dir.Read("volume/.Trash-" + Uid() + "/files/song.mp3"), "abc");
    const String info = Dir.Read("volume/.Trash-" + Uid() + "/info/song.mp3.trashinfo");
    EXPECT_EQ(info.rfind("[Trash Info]\nPath=sub/song.mp3\nDeletionDate=", 0), 0u)
        << "relative to the volume's top: " << info;
    struct stat st {};
    ASSERT_EQ(::stat(trash.c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0700u) << "the user's own";
    EXPECT_NE(::access((Home + "/data/Trash/files/song.mp3").c_str(), F_OK), 0);
    // A whole folder too.
    ASSERT_TRUE(ns.MoveToTrash(Item(ns, Volume + "/sub"), &err)) << std::strerror(err);
    EXPECT_EQ(::access((trash + "/files/sub").c_str(), F_OK), 0);
}

TEST_F(ShellTrashVolume, AnAdministratorsStickyTrashIsUsedOnlyWhenSafe) {
    TShellNamespace ns(Env);
    const String shared = Volume + "/.Trash";
    ASSERT_EQ(::mkdir(shared.c_str(), 0777), 0);
    ASSERT_EQ(::chmod(shared.c_str(), 0777), 0);
    EXPECT_EQ(VolumeTrashFolder(Volume, ::getuid()), Volume + "/.Trash-" + Uid())
        << "no sticky bit: passed over";
    ASSERT_EQ(::chmod(shared.c_str(), 01777), 0);
    EXPECT_EQ(VolumeTrashFolder(Volume, ::getuid()), shared + "/" + Uid());
    int err = 0;
    ASSERT_TRUE(ns.MoveToTrash(Item(ns, Volume + "/sub/song.mp3"), &err)) << std::strerror(err);
    EXPECT_EQ(Dir.Read("volume/.Trash/" + Uid() + "/files/song.mp3"), "abc");
    // A link named .Trash is never followed.
    ASSERT_EQ(::rename(shared.c_str(), (Volume + "/elsewhere").c_str()), 0);
    ASSERT_EQ(::symlink((Volume + "/elsewhere").c_str(), shared.c_str()), 0);
    EXPECT_EQ(VolumeTrashFolder(Volume, ::getuid()), Volume + "/.Trash-" + Uid());
}

} // namespace
} // namespace vd::test
