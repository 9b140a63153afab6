#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>

#include "plinthar/converter_state.h"

namespace plinthar::fuzz {

// A fuzz input is a script of user operations on one converter state, read
// byte by byte so that every input, however mangled, means something:
//
//   'd' TEXT    the user types TEXT into DecimalText
//   'x' TEXT    ... into HexText
//   'b' TEXT    ... into BinaryText
//   '*' COUNT   if the next operation types, its TEXT goes in COUNT times
//               over (a long paste)
//   '+'         if the next operation types, TEXT goes after what the box
//               holds instead of replacing it
//   'H'         ConvertHex (the hexadecimal button)
//   'D'         ConvertDecimal (the decimal button)
//   'T'         ToggleAllPins (the select-all / clear button)
//   '0' … '7'   a click on the box of pin P0 … P7
//
// TEXT is a length and then that many raw bytes, fewer when the input ends
// first. COUNT and lengths are unsigned LEB128 numbers (seven bits a byte,
// low bits first, high bit set on every byte but the last). Every other byte
// is skipped.
enum class OperationKind : std::uint8_t {
  TypeText,
  ConvertHex,
  ConvertDecimal,
  ToggleAllPins,
  ClickPin,
};

struct Operation {
  OperationKind kind = OperationKind::ConvertHex;
  TextField field = TextField::HexText;  // TypeText only
  std::string text;                      // TypeText only
  bool append = false;                   // TypeText only
  int pin = 0;                           // ClickPin only
};

// Typed texts, and boxes grown by appending, are cut to this length: longer than any input the
// fuzzer makes, so that a repeated paste reaches lengths the input alone cannot, but short enough
// that one conversion stays in the milliseconds.
inline constexpr std::size_t kMaxTextLength = std::size_t{1} << 17;

// Decodes operations one at a time, so that a long script of long pastes
// never holds more than one text.
class OperationReader {
 public:
  explicit OperationReader(std::span<const std::uint8_t> input) : input_(input) {}

  // The next operation, or nothing at the end of the input.
  std::optional<Operation> Next();

 private:
  std::uint64_t ReadNumber();
  std::string ReadText(std::uint64_t repeat);

  std::span<const std::uint8_t> input_;
  std::size_t position_ = 0;
};

// A short human-readable form for failure reports, long texts abbreviated.
std::string Describe(const Operation& operation);

// Long texts abbreviated to their ends and length, bytes outside printable
// ASCII escaped.
std::string Abbreviate(const std::string& text);

}  // namespace plinthar::fuzz
