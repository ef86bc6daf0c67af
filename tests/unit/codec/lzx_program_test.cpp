// The x86 call translation of the LZX encoder: on for x86 and x86-64 programs, told by their
// headers, and off for anything else; and what it is for: a smaller program.
#include <gtest/gtest.h>

#include <string>

#include "lzx/lzx_program.h"
#include "support/lzx_encoding.h"
#include "support/lzx_streams.h"
#include "support/x86_programs.h"
#include "test_inputs.h"

namespace codec_test {
namespace {

constexpr unsigned kWindow = 17;
constexpr std::uint16_t kI386 = 0x14C;
constexpr std::uint16_t kAmd64 = 0x8664;
constexpr std::uint16_t kArm64 = 0xAA64;
constexpr std::uint16_t kElfX86 = 3;
constexpr std::uint16_t kElfX86_64 = 62;
constexpr std::uint16_t kElfArm = 40;
constexpr std::uint8_t kLittle = 1;
constexpr std::uint8_t kBig = 2;

TEST(LzxProgramTest, TellsX86ProgramsByTheirHeaders) {
  const Bytes code = CallHeavyCode(4000, 1);
  Bytes far_pe = PeProgram(kAmd64, code);
  far_pe[0x3C] = 0x00;
  far_pe[0x3D] = 0x01;  // the header's offset, 0x100, now leads to code
  Bytes pe_beyond = PeProgram(kI386, {});
  pe_beyond.resize(0x84 + 1);  // the machine cut in half
  Bytes huge_offset = PeProgram(kI386, code);
  huge_offset[0x3F] = 0x80;
  Bytes elf_no_order = ElfProgram(kElfX86_64, kLittle, code);
  elf_no_order[5] = 0;
  const struct {
    const char* name;
    Bytes head;
    bool x86;
  } cases[] = {
      {"PE for i386", PeProgram(kI386, code), true},
      {"PE for AMD64", PeProgram(kAmd64, code), true},
      {"PE for ARM64", PeProgram(kArm64, code), false},
      {"MZ whose offset leads elsewhere", far_pe, false},
      {"MZ cut inside the machine field", pe_beyond, false},
      {"MZ whose offset lies past 2 GiB", huge_offset, false},
      {"MZ alone", {'M', 'Z'}, false},
      {"ELF for x86", ElfProgram(kElfX86, kLittle, code), true},
      {"ELF for x86-64", ElfProgram(kElfX86_64, kLittle, code), true},
      {"big-endian ELF for x86-64", ElfProgram(kElfX86_64, kBig, code), true},
      {"ELF for ARM", ElfProgram(kElfArm, kLittle, code), false},
      {"ELF of no byte order", elf_no_order, false},
      {"ELF cut before its machine", Bytes{0x7F, 'E', 'L', 'F', 2, 1, 1, 0}, false},
      {"machine code without a header", code, false},
      {"text", Text(5000, 2), false},
      {"nothing", {}, false},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(codec::IsX86Program(c.head), c.x86);
    // The folder's first bit says whether the calls are translated.
    const std::vector<CraftedBlock> blocks = EncodeLzx(c.head, kWindow);
    if (c.head.empty()) continue;
    ASSERT_GE(blocks.at(0).coded.size(), 2u);
    EXPECT_EQ((blocks[0].coded[1] & 0x80) != 0, c.x86);
    EXPECT_EQ(DecodeLzxFolder(blocks, kWindow), c.head);
  }
}

// The same calls cost less translated: their targets repeat where their relative operands do not.
TEST(LzxProgramTest, TranslationMakesACallHeavyProgramSmaller) {
  const Bytes code = CallHeavyCode(300000, 3);
  const struct {
    const char* name;
    Bytes translated;
    Bytes plain;
  } cases[] = {
      {"PE", PeProgram(kAmd64, code), PeProgram(kArm64, code)},
      {"ELF", ElfProgram(kElfX86_64, kLittle, code), ElfProgram(kElfArm, kLittle, code)},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    const std::vector<CraftedBlock> translated = EncodeLzx(c.translated, kWindow);
    const std::vector<CraftedBlock> plain = EncodeLzx(c.plain, kWindow);
    EXPECT_LT(CodedSize(translated), CodedSize(plain) * 4 / 5);
    for (const Oracle oracle : {Oracle::kCabextract, Oracle::kSevenZip})
      EXPECT_EQ(ExtractLzxFolder(oracle, translated, kWindow), c.translated) << OracleName(oracle);
  }
}

}  // namespace
}  // namespace codec_test
