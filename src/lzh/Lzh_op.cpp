#include "lzh/Lzh_op.h"

#include <algorithm>
#include <cstring>

namespace stp {
namespace {

std::uint16_t ClampBufSize(std::uint16_t size) { return std::clamp(size, kSmallestBufSize, kLargestBufSize); }

}  // namespace

// Shows the decoder the component's buffers. Block ends go through the
// virtual ReadBytes and WriteBytes, so the events see exactly the calls that
// byte-by-byte reading and writing would make.
class TCustomLZHCompressor::Io final : public lzh::DecoderIo {
 public:
  explicit Io(TCustomLZHCompressor& owner) : owner_(owner) {
    ShowInput();
    ShowOutput();
  }

  bool ReadByte(std::uint8_t& byte) override {
    owner_.in_pos_ = static_cast<std::uint16_t>(in_next - owner_.in_buffer_->data() + 1);
    std::uint16_t got = 0;
    owner_.ReadBytes(&byte, 1, got);
    ShowInput();
    return got == 1;
  }

  void WriteByte(std::uint8_t byte) override {
    owner_.out_pos_ = OutputPosition();
    std::uint16_t written = 0;
    owner_.WriteBytes(&byte, 1, written);
    ShowOutput();
  }

  std::uint16_t OutputPosition() const {
    return static_cast<std::uint16_t>(out_next - owner_.out_buffer_->data() + 1);
  }

 private:
  void ShowInput() {
    const std::uint8_t* data = owner_.in_buffer_->data();
    in_end = data + owner_.in_count_;
    in_next = owner_.in_pos_ > owner_.in_count_ ? in_end : data + owner_.in_pos_ - 1;
  }

  void ShowOutput() {
    std::uint8_t* data = owner_.out_buffer_->data();
    out_next = data + owner_.out_pos_ - 1;
    out_end = data + owner_.write_buf_size_;
  }

  TCustomLZHCompressor& owner_;
};

TCustomLZHCompressor::TCustomLZHCompressor() : decoder_(std::make_unique<lzh::LzhDecoder>()) {
  SetReadBufSize(kDefaultBufSize);
  SetWriteBufSize(kDefaultBufSize);
}

TCustomLZHCompressor::~TCustomLZHCompressor() = default;

void TCustomLZHCompressor::SetReadBufSize(std::uint16_t size) {
  if (finished_) read_buf_size_ = ClampBufSize(size);
}

void TCustomLZHCompressor::SetWriteBufSize(std::uint16_t size) {
  if (finished_) write_buf_size_ = ClampBufSize(size);
}

void TCustomLZHCompressor::Decompress() {
  if (!finished_) return;
  finished_ = false;
  try {
    in_buffer_ = std::make_unique_for_overwrite<BufType>();
    out_buffer_ = std::make_unique_for_overwrite<BufType>();
    in_pos_ = 1;
    in_count_ = 0;
    out_pos_ = 1;
    Io io(*this);
    try {
      decoder_->Run(io);
    } catch (...) {
      // The end of the stream (ECompress) and a failure of either event
      // alike end the decoding; what was decoded so far stays.
    }
    out_pos_ = io.OutputPosition();
    std::uint16_t put = 0;
    OnPutBytes(*this, *out_buffer_, static_cast<std::uint16_t>(out_pos_ - 1), put);
  } catch (...) {
    EndRun();
    throw;
  }
  EndRun();
}

void TCustomLZHCompressor::EndRun() {
  in_buffer_.reset();
  out_buffer_.reset();
  finished_ = true;
  if (OnPressFinished) OnPressFinished(*this);
}

void TCustomLZHCompressor::ReadBytes(std::uint8_t* destination, std::uint16_t count, std::uint16_t& got) {
  got = 0;
  if (!in_buffer_) return;
  while (got < count) {
    if (in_pos_ > in_count_) {
      // A handler that leaves Bytes_Got alone has delivered nothing, and one
      // that reports more than asked for cannot have stored it.
      std::uint16_t delivered = 0;
      OnGetBytes(*this, *in_buffer_, read_buf_size_, delivered);
      in_count_ = std::min(delivered, read_buf_size_);
      if (in_count_ == 0) return;
      in_pos_ = 1;
    }
    const auto n = static_cast<std::uint16_t>(std::min<unsigned>(count - got, in_count_ - in_pos_ + 1u));
    std::memcpy(destination + got, in_buffer_->data() + in_pos_ - 1, n);
    in_pos_ += n;
    got += n;
  }
}

void TCustomLZHCompressor::WriteBytes(const std::uint8_t* source, std::uint16_t count,
                                      std::uint16_t& written) {
  written = 0;
  if (!out_buffer_) return;
  while (written < count) {
    // Flushed lazily, when a byte finds the buffer full, so that the run's
    // last call brings at least one byte unless the run brought none.
    if (out_pos_ > write_buf_size_) {
      std::uint16_t put = 0;
      OnPutBytes(*this, *out_buffer_, static_cast<std::uint16_t>(out_pos_ - 1), put);
      out_pos_ = 1;
    }
    const auto n =
        static_cast<std::uint16_t>(std::min<unsigned>(count - written, write_buf_size_ - out_pos_ + 1u));
    std::memcpy(out_buffer_->data() + out_pos_ - 1, source + written, n);
    out_pos_ += n;
    written += n;
  }
}

}  // namespace stp
