// HEX files made by independent tools read as the same bytes as the tools' own conversion back to
// binary, 0xFF-filled over the image's range.
#include <gtest/gtest.h>

#include "stm32/ImageReader.h"
#include "stm32/ImageFiles.h"

using namespace stm32test;

namespace {

struct ToolCase {
    const char* name;
    std::vector<std::pair<std::string, size_t>> inputs;  // binary files and their lengths
    std::string make;  // shell command; {dir} stands for the scratch folder
    uint32_t base;
    uint32_t end;  // exclusive
    int extendedRecords;
};

std::string expand(std::string s, const std::string& dir) {
    for (size_t at; (at = s.find("{dir}")) != std::string::npos;) s.replace(at, 5, dir);
    return s;
}

TEST(HexFixturesFromTools, ReadAsTheToolsConvertThemBack) {
    const std::vector<ToolCase> cases = {
        {"objcopy with its type 05 record", {{"a.bin", 5000}},
         "objcopy -I binary -O ihex --change-addresses 0x08000000 {dir}/a.bin {dir}/out.hex", 0x08000000,
         0x08000000 + 5000, 1},
        {"srec_cat over three 64 KiB segments", {{"a.bin", 70000}},
         "srec_cat {dir}/a.bin -binary -offset 0x0800F000 -o {dir}/out.hex -intel", 0x08000000,
         0x0800F000 + 70000, 3},
        {"srec_cat with two inputs and a gap", {{"a.bin", 100}, {"b.bin", 300}},
         "srec_cat {dir}/a.bin -binary -offset 0x08000000 {dir}/b.bin -binary -offset 0x08000400 "
         "-o {dir}/out.hex -intel", 0x08000000, 0x08000400 + 300, 1},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        ScratchDir dir;
        uint8_t seed = 1;
        for (auto& [name, length] : c.inputs) writeFile(dir.file(name), pattern(length, seed++));
        ASSERT_EQ(std::system(expand(c.make, dir.path()).c_str()), 0);
        char back[256];
        std::snprintf(back, sizeof back, "srec_cat %s/out.hex -intel -fill 0xFF 0x%X 0x%X -offset -0x%X -o %s/expected.bin -binary",
                      dir.path().c_str(), c.base, c.end, c.base, dir.path().c_str());
        ASSERT_EQ(std::system(back), 0);

        std::string text;
        for (uint8_t b : readFile(dir.file("out.hex"))) text += char(b);
        int extended = 0;
        for (size_t at = 0; (at = text.find(":02000004", at)) != std::string::npos; ++at) ++extended;
        EXPECT_EQ(extended, c.extendedRecords);

        void* state = intel_hex_reader.init();
        ASSERT_EQ(intel_hex_reader.open(state, dir.file("out.hex").c_str(), false), IMAGE_ERR_OK);
        uint32_t base = 0;
        EXPECT_TRUE(intel_hex_base(state, &base));
        EXPECT_EQ(base, c.base);
        Bytes image(intel_hex_reader.size(state));
        unsigned int n = unsigned(image.size());
        EXPECT_EQ(intel_hex_reader.read(state, image.data(), &n), IMAGE_ERR_OK);
        intel_hex_reader.close(state);
        EXPECT_EQ(image, readFile(dir.file("expected.bin")));
    }
}

}  // namespace
