#include "tests/music/xm_writer.h"

#include <cstddef>
#include <fstream>
#include <string_view>
#include <utility>

namespace sky::testing {
namespace {

class Bytes {
 public:
  void u8(int value) { bytes_.push_back(static_cast<std::uint8_t>(value)); }
  void u16(int value) {
    u8(value & 0xff);
    u8((value >> 8) & 0xff);
  }
  void u32(std::uint32_t value) {
    u16(static_cast<int>(value & 0xffff));
    u16(static_cast<int>(value >> 16));
  }
  // Text in a field of fixed width, padded with zeros.
  void text(std::string_view value, std::size_t width) {
    for (std::size_t i = 0; i < width; ++i) u8(i < value.size() ? value[i] : 0);
  }
  void zeros(std::size_t count) { bytes_.insert(bytes_.end(), count, 0); }
  std::size_t size() const { return bytes_.size(); }
  std::vector<std::uint8_t> take() { return std::move(bytes_); }

 private:
  std::vector<std::uint8_t> bytes_;
};

constexpr int channels = 2;
constexpr int sample_length = 64;
constexpr int instrument_header_size = 263;
constexpr int sample_header_size = 40;
constexpr int note_c4 = 49;

void header(Bytes& out, const TinyXm& shape) {
  out.text("Extended Module: ", 17);
  out.text("tiny test tune", 20);
  out.u8(0x1a);
  out.text("skyward tests", 20);
  out.u16(0x0104);
  out.u32(276);  // header size from here, order table included
  out.u16(1);    // song length in orders
  out.u16(0);    // restart position
  out.u16(channels);
  out.u16(1);  // patterns
  out.u16(1);  // instruments
  out.u16(1);  // linear frequency table
  out.u16(shape.speed);
  out.u16(shape.tempo);
  out.zeros(256);  // order table: pattern 0
}

void pattern(Bytes& out, const TinyXm& shape) {
  out.u32(9);  // pattern header size
  out.u8(0);   // packing type
  out.u16(shape.rows);
  out.u16(shape.rows * channels * 5);
  for (int row = 0; row < shape.rows; ++row) {
    for (int channel = 0; channel < channels; ++channel) {
      const bool strike = row == 0 && channel == 0;
      out.u8(strike ? note_c4 : 0);
      out.u8(strike ? 1 : 0);  // instrument
      out.zeros(3);            // volume, effect, parameter
    }
  }
}

void instrument(Bytes& out) {
  const std::size_t start = out.size();
  out.u32(instrument_header_size);
  out.text("square", 22);
  out.u8(0);
  out.u16(1);  // samples
  out.u32(sample_header_size);
  out.zeros(96 + 48 + 48);  // note map, volume and panning envelopes
  out.zeros(instrument_header_size - (out.size() - start));
  out.u32(sample_length);
  out.u32(0);              // loop start
  out.u32(sample_length);  // loop length
  out.u8(64);              // volume
  out.u8(0);               // finetune
  out.u8(1);               // forward loop, 8-bit
  out.u8(128);             // panning
  out.u8(0);               // relative note
  out.u8(0);
  out.text("square", 22);
  // 8-bit samples stored as differences from the previous one.
  int previous = 0;
  for (int i = 0; i < sample_length; ++i) {
    const int value = i < sample_length / 2 ? 100 : -100;
    out.u8((value - previous) & 0xff);
    previous = value;
  }
}

}  // namespace

std::vector<std::uint8_t> tiny_xm(const TinyXm& shape) {
  Bytes out;
  header(out, shape);
  pattern(out, shape);
  instrument(out);
  return out.take();
}

void write_file(const std::string& path, const std::vector<std::uint8_t>& bytes) {
  std::ofstream file(path, std::ios::binary);
  file.write(reinterpret_cast<const char*>(bytes.data()),
             static_cast<std::streamsize>(bytes.size()));
}

}  // namespace sky::testing
