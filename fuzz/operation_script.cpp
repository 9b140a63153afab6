#include "operation_script.h"

#include <algorithm>
#include <array>

namespace plinthar::fuzz {

namespace {

constexpr std::uint8_t kContinuationBit = 0x80;
constexpr std::uint8_t kPayloadBits = 0x7F;
constexpr unsigned kBitsPerByte = 7;
constexpr unsigned kNumberBits = 64;

}  // namespace

std::uint64_t OperationReader::ReadNumber() {
  std::uint64_t value = 0;
  for (unsigned shift = 0; position_ < input_.size(); shift += kBitsPerByte) {
    const std::uint8_t byte = input_[position_++];
    // Bits past the 64th are dropped rather than shifted out of range: the
    // caller caps every number far below that anyway.
    if (shift < kNumberBits) {
      value |= static_cast<std::uint64_t>(byte & kPayloadBits) << shift;
    }
    if ((byte & kContinuationBit) == 0) {
      break;
    }
  }
  return value;
}

std::string OperationReader::ReadText(std::uint64_t repeat) {
  // Read before the rest of the input is measured: reading moves past it.
  const std::uint64_t wanted = ReadNumber();
  const auto length =
      static_cast<std::size_t>(std::min<std::uint64_t>(wanted, input_.size() - position_));
  const std::span<const std::uint8_t> once = input_.subspan(position_, length);
  position_ += length;
  // Capping the count first keeps the product from overflowing; a huge count
  // then costs no more than the longest paste.
  const auto copies = static_cast<std::size_t>(std::min<std::uint64_t>(repeat, kMaxTextLength));
  const std::size_t total = std::min(kMaxTextLength, once.size() * copies);
  if (total == 0) {
    return {};
  }
  std::string text(once.begin(), once.end());
  text.reserve(total);
  // Doubling makes a paste of a one-byte text a handful of block copies
  // rather than a hundred thousand appends.
  while (text.size() < total) {
    text.append(text, 0, std::min(text.size(), total - text.size()));
  }
  text.resize(total);
  return text;
}

std::optional<Operation> OperationReader::Next() {
  std::uint64_t repeat = 1;
  bool append = false;
  while (position_ < input_.size()) {
    const auto byte = static_cast<char>(input_[position_++]);
    Operation operation;
    switch (byte) {
      case 'd':
      case 'x':
      case 'b':
        operation.kind = OperationKind::TypeText;
        operation.field = byte == 'd'   ? TextField::DecimalText
                          : byte == 'x' ? TextField::HexText
                                        : TextField::BinaryText;
        operation.text = ReadText(repeat);
        operation.append = append;
        return operation;
      case '*':
        repeat = ReadNumber();
        continue;
      case '+':
        append = true;
        continue;
      case 'H':
        operation.kind = OperationKind::ConvertHex;
        return operation;
      case 'D':
        operation.kind = OperationKind::ConvertDecimal;
        return operation;
      case 'T':
        operation.kind = OperationKind::ToggleAllPins;
        return operation;
      default:
        if (byte >= '0' && byte < '0' + kPinCount) {
          operation.kind = OperationKind::ClickPin;
          operation.pin = byte - '0';
          return operation;
        }
        continue;
    }
  }
  return std::nullopt;
}

std::string Abbreviate(const std::string& text) {
  constexpr std::size_t kShownEnd = 40;
  const auto escape = [](std::string_view part) {
    std::string out;
    for (const char c : part) {
      const auto byte = static_cast<unsigned char>(c);
      if (byte >= 0x20 && byte < 0x7F && c != '\\' && c != '"') {
        out.push_back(c);
      } else {
        static constexpr std::array<char, 16> kHex = {'0', '1', '2', '3', '4', '5', '6', '7',
                                                      '8', '9', 'A', 'B', 'C', 'D', 'E', 'F'};
        out += "\\x";
        out.push_back(kHex[byte >> 4U]);
        out.push_back(kHex[byte & 0xFU]);
      }
    }
    return out;
  };
  const std::string_view view(text);
  if (view.size() <= 2 * kShownEnd) {
    return '"' + escape(view) + '"';
  }
  return '"' + escape(view.substr(0, kShownEnd)) + "\"...\"" +
         escape(view.substr(view.size() - kShownEnd)) + "\" (" + std::to_string(view.size()) +
         " bytes)";
}

std::string Describe(const Operation& operation) {
  switch (operation.kind) {
    case OperationKind::TypeText: {
      const char* field = operation.field == TextField::DecimalText ? "DecimalText"
                          : operation.field == TextField::HexText   ? "HexText"
                                                                    : "BinaryText";
      return std::string("type ") + field + (operation.append ? " += " : " := ") +
             Abbreviate(operation.text);
    }
    case OperationKind::ConvertHex:
      return "ConvertHex";
    case OperationKind::ConvertDecimal:
      return "ConvertDecimal";
    case OperationKind::ToggleAllPins:
      return "ToggleAllPins";
    case OperationKind::ClickPin:
      break;
  }
  return "ClickPin(P" + std::to_string(operation.pin) + ")";
}

}  // namespace plinthar::fuzz
