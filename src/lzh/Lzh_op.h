#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <memory>

#include "lzh/lzh_decoder.h"

// The codec component: decodes one compressed stream per Decompress call,
// pulling compressed blocks through OnGetBytes and pushing decoded blocks
// through OnPutBytes. It never touches a file itself.
//
// Typical use (one component for every file of an installation):
//
//   stp::TLZHCompressor codec;
//   codec.SetReadBufSize(32768);
//   codec.SetWriteBufSize(32768);
//   codec.OnGetBytes = [&](auto& Sender, auto& DTA, auto NBytes, auto& Bytes_Got) { ... };
//   codec.OnPutBytes = [&](auto& Sender, auto& DTA, auto NBytes, auto& Bytes_Put) { ... };
//   codec.Decompress();
namespace stp {

inline constexpr std::uint16_t kSmallestBufSize = 16;
inline constexpr std::uint16_t kLargestBufSize = 32768;
inline constexpr std::uint16_t kDefaultBufSize = 1024;

// A block as the events see it; only its first NBytes bytes count.
using BufType = std::array<std::uint8_t, kLargestBufSize>;

class TCustomLZHCompressor;

// Stores up to NBytes compressed bytes at the start of DTA and reports how
// many in Bytes_Got; 0 means the stream has ended, and every later call
// must report 0 again.
using TGetBytesProc = std::function<void(TCustomLZHCompressor& Sender, BufType& DTA, std::uint16_t NBytes,
                                         std::uint16_t& Bytes_Got)>;
// Receives the first NBytes decoded bytes of DTA: exactly WriteBufSize bytes
// in every call of a run but its last, which brings the rest (0 bytes only
// when the stream decoded to nothing). Bytes_Put is not looked at.
using TPutBytesProc = std::function<void(TCustomLZHCompressor& Sender, BufType& DTA, std::uint16_t NBytes,
                                         std::uint16_t& Bytes_Put)>;
// Fired at the end of every run, however it ended, once Finished is true.
using TPressFinishedEvent = std::function<void(TCustomLZHCompressor& Sender)>;

class TCustomLZHCompressor {
 public:
  TCustomLZHCompressor();
  virtual ~TCustomLZHCompressor();
  TCustomLZHCompressor(const TCustomLZHCompressor&) = delete;
  TCustomLZHCompressor& operator=(const TCustomLZHCompressor&) = delete;

  // Decodes one whole stream. Does nothing while a run is in progress (a
  // call from inside OnGetBytes or OnPutBytes). An exception from either
  // event ends the decoding as if the input had ended; a handler that needs
  // to know about a failure records it itself. Only an exception from the
  // run's last OnPutBytes call, or from OnPressFinished, reaches the caller.
  void Decompress();

 protected:
  // Appends up to count bytes to the output buffer, handing a full buffer to
  // OnPutBytes when more bytes arrive. Reports 0 outside a run.
  virtual void WriteBytes(const std::uint8_t* source, std::uint16_t count, std::uint16_t& written);
  // Takes up to count bytes from the input buffer, refilling it through
  // OnGetBytes when it is empty; stops early when OnGetBytes reports 0 bytes.
  // Reports 0 outside a run.
  virtual void ReadBytes(std::uint8_t* destination, std::uint16_t count, std::uint16_t& got);

  std::uint16_t ReadBufSize() const { return read_buf_size_; }
  std::uint16_t WriteBufSize() const { return write_buf_size_; }
  // Sizes are kept within 16..32768; a change during a run is ignored.
  void SetReadBufSize(std::uint16_t size);
  void SetWriteBufSize(std::uint16_t size);
  // True while no run is in progress.
  bool Finished() const { return finished_; }

  TGetBytesProc OnGetBytes;
  TPutBytesProc OnPutBytes;
  TPressFinishedEvent OnPressFinished;

 private:
  class Io;

  void EndRun();

  std::unique_ptr<lzh::LzhDecoder> decoder_;
  std::uint16_t read_buf_size_ = kDefaultBufSize;
  std::uint16_t write_buf_size_ = kDefaultBufSize;
  bool finished_ = true;
  // Only during a run.
  std::unique_ptr<BufType> in_buffer_;
  std::unique_ptr<BufType> out_buffer_;
  // 1-based: the next unread input byte, the valid input bytes, the next
  // free output byte.
  std::uint16_t in_pos_ = 1;
  std::uint16_t in_count_ = 0;
  std::uint16_t out_pos_ = 1;
};

// The component as the installation page places it.
class TLZHCompressor : public TCustomLZHCompressor {
 public:
  using TCustomLZHCompressor::OnGetBytes;
  using TCustomLZHCompressor::OnPressFinished;
  using TCustomLZHCompressor::OnPutBytes;

  using TCustomLZHCompressor::Finished;
  using TCustomLZHCompressor::ReadBufSize;
  using TCustomLZHCompressor::SetReadBufSize;
  using TCustomLZHCompressor::SetWriteBufSize;
  using TCustomLZHCompressor::WriteBufSize;
};

}  // namespace stp
