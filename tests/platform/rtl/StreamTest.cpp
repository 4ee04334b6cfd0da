#include "TempDir.h"

#include "platform/rtl/Exception.h"
#include "platform/rtl/Stream.h"
#include "platform/rtl/StringList.h"

#include <gtest/gtest.h>

#include <memory>
#include <sys/stat.h>

namespace vd {
namespace {

// Every stream kind behaves alike for reads, writes and seeks.
class StreamKinds : public ::testing::TestWithParam<int> {
protected:
    test::TTempDir Dir;
    std::unique_ptr<TStream> Make() {
        switch (GetParam()) {
        case 0:
            return std::make_unique<TMemoryStream>();
        case 1:
            return std::make_unique<TStringStream>();
        default:
            return std::make_unique<TFileStream>(Dir.File("s.bin"), fmCreate);
        }
    }
};

TEST_P(StreamKinds, ReadWriteSeekAndSize) {
    auto s = Make();
    s->WriteBuffer("hello world", 11);
    EXPECT_EQ(s->Size(), 11);
    EXPECT_EQ(s->Position(), 11);
    EXPECT_EQ(s->Seek(-5, soEnd), 6);
    char buf[16] = {};
    EXPECT_EQ(s->Read(buf, 16), 5);
    EXPECT_STREQ(buf, "world");
    EXPECT_EQ(s->Read(buf, 4), 0);
    s->SetPosition(0);
    s->ReadBuffer(buf, 5);
    EXPECT_EQ(String(buf, 5), "hello");
    EXPECT_EQ(s->Seek(1, soCurrent), 6);
    try {
        s->ReadBuffer(buf, 6);
        ADD_FAILURE();
    } catch (const EReadError& e) {
        EXPECT_EQ(e.Message(), "Stream read error");
    }
    s->SetSize(4);
    EXPECT_EQ(s->Size(), 4);
    s->SetPosition(6); // writing past the end grows the stream
    s->WriteBuffer("!", 1);
    EXPECT_EQ(s->Size(), 7);
}

INSTANTIATE_TEST_SUITE_P(Rtl, StreamKinds, ::testing::Values(0, 1, 2));

TEST(Streams, CopyFromWholeSourceOrPart) {
    TStringStream src("0123456789");
    TMemoryStream dst;
    src.SetPosition(7);
    EXPECT_EQ(dst.CopyFrom(src, 0), 10); // 0: everything, from the start
    EXPECT_EQ(dst.View(), "0123456789");
    src.SetPosition(2);
    TStringStream part;
    EXPECT_EQ(part.CopyFrom(src, 3), 3);
    EXPECT_EQ(part.DataString(), "234");
    src.SetPosition(8);
    EXPECT_THROW(part.CopyFrom(src, 5), EReadError);
}

TEST(Streams, FileStreamErrorsNameTheFileAndTheReason) {
    test::TTempDir dir;
    const String missing = dir.File("none.txt");
    try {
        TFileStream s(missing, fmOpenRead | fmShareDenyNone);
        ADD_FAILURE();
    } catch (const EFOpenError& e) {
        EXPECT_EQ(e.Message(), "Cannot open file \"" + missing + "\". No such file or directory");
    }
    try {
        TFileStream s(dir.File("no/such/dir.txt"), fmCreate);
        ADD_FAILURE();
    } catch (const EFCreateError& e) {
        EXPECT_EQ(e.Message(),
                  "Cannot create file \"" + dir.File("no/such/dir.txt") + "\". No such file or directory");
    }
    EXPECT_THROW(TFileStream(dir.Path(), fmOpenRead), EFOpenError);
    // Both are stream errors, as callers that catch EStreamError expect.
    EXPECT_THROW(TFileStream(missing, fmOpenReadWrite), EStreamError);
}

TEST(Streams, FileModesOpenForWhatTheyName) {
    test::TTempDir dir;
    const String path = dir.File("f.txt");
    {
        TFileStream s(path, fmCreate, 0600);
        s.WriteBuffer("abc", 3);
    }
    struct stat st {};
    ::stat(path.c_str(), &st);
    EXPECT_EQ(st.st_mode & 0777, 0600u);
    {
        TFileStream s(path, fmOpenWrite | fmShareExclusive);
        s.Seek(0, soEnd);
        s.WriteBuffer("de", 2);
        char c;
        EXPECT_EQ(s.Read(&c, 1), 0); // write-only
    }
    {
        TFileStream s(path, fmOpenRead);
        EXPECT_EQ(s.Size(), 5);
        EXPECT_THROW(s.WriteBuffer("x", 1), EWriteError);
    }
    TStringList list;
    list.LoadFromFile(path);
    EXPECT_EQ(list[0], "abcde");
    list.Add("second");
    list.SaveToFile(path);
    EXPECT_EQ(test::ReadText(path), "abcde\nsecond\n");
    TMemoryStream mem;
    mem.LoadFromFile(path);
    EXPECT_EQ(mem.Size(), 13);
    mem.SaveToFile(dir.File("copy.txt"));
    EXPECT_EQ(test::ReadText(dir.File("copy.txt")), "abcde\nsecond\n");
}

} // namespace
} // namespace vd
