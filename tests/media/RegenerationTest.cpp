// The generator reproduces the committed media byte for byte, and reports failures.
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <string>

#include "MediaBytes.h"

namespace media_test {
namespace {

namespace fs = std::filesystem;

int RunGenerator(const std::string& arguments) {
    const int status =
        std::system((std::string(QUILLFEN_MEDIAGEN) + " " + arguments + " 2>/dev/null").c_str());
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

class Regeneration : public testing::Test {
protected:
    void SetUp() override {
        dir_ = fs::temp_directory_path() / ("quillfen-media-" + std::to_string(::getpid()));
        fs::create_directories(dir_);
    }
    void TearDown() override { fs::remove_all(dir_); }
    fs::path dir_;
};

TEST_F(Regeneration, GivesExactlyTheCommittedFiles) {
    ASSERT_EQ(RunGenerator(dir_.string()), 0);
    int files = 0;
    for (const auto& entry : fs::directory_iterator(dir_)) {
        const std::string name = entry.path().filename().string();
        SCOPED_TRACE(name);
        const Bytes fresh = ReadFile(entry.path().string());
        EXPECT_FALSE(fresh.empty());
        EXPECT_EQ(fresh, LoadMedia(name));
        ++files;
    }
    EXPECT_EQ(files, 7);
}

TEST_F(Regeneration, FailsWithoutAWritableFolderOrWithoutArguments) {
    EXPECT_EQ(RunGenerator((dir_ / "missing" / "folder").string()), 1);
    EXPECT_EQ(RunGenerator(""), 2);
}

}  // namespace
}  // namespace media_test
