#include "cab/folder_extraction.h"

#include <algorithm>
#include <vector>

namespace codec {
namespace {

// Hands the folder's bytes to the files that hold them: a file begins when the data reaches it
// and ends, complete, when the data passes its end.
class Dispatch {
 public:
  Dispatch(std::span<const ChosenFile> files, CabinetTarget& target)
      : files_(files), target_(target) {}

  // Begins and ends what the data up to `position` allows; true when every file is done.
  bool Reach(std::uint64_t position) {
    Begin(position, true);
    std::erase_if(active_, [&](const Active& open) {
      if (open.file.start + open.file.size > position) return false;
      target_.End(open.file.index, Error::kOk, {});
      return true;
    });
    return next_ == files_.size() && active_.empty();
  }

  void Deliver(std::span<const std::uint8_t> block, std::uint64_t position) {
    const std::uint64_t block_end = position + block.size();
    Begin(block_end, false);
    std::erase_if(active_, [&](const Active& open) {
      const std::uint64_t from = std::max(open.file.start, position);
      const std::uint64_t to = std::min(open.file.start + open.file.size, block_end);
      if (from >= to) return false;
      if (open.sink->Write(block.subspan(from - position, to - from))) return false;
      target_.End(open.file.index, Error::kOutputFailed, {});
      return true;
    });
  }

  void FailTheRest(Error error, const std::string& detail) {
    for (const Active& open : active_)
      target_.End(open.file.index, error, detail);
    active_.clear();
    for (; next_ < files_.size(); ++next_)
      target_.End(files_[next_].index, error, detail);
  }

 private:
  struct Active {
    ChosenFile file;
    ByteSink* sink;
  };

  // Begins the files that start before `limit`, and the empty ones at it when asked.
  void Begin(std::uint64_t limit, bool empty_at_limit) {
    while (next_ < files_.size()) {
      const ChosenFile& file = files_[next_];
      if (file.start > limit || (file.start == limit && !(file.size == 0 && empty_at_limit))) {
        break;
      }
      ++next_;
      if (ByteSink* sink = target_.Begin(file.index)) active_.push_back({file, sink});
    }
  }

  std::span<const ChosenFile> files_;
  CabinetTarget& target_;
  std::vector<Active> active_;
  std::size_t next_ = 0;
};

// What the decoding hands over: a block, or the end of the data with why it ended.
struct Handed {
  std::uint32_t size = 0;
  std::uint64_t position = 0;
  bool last = false;
  Error error = Error::kOk;  // at the last item: why the data ended short
  std::string detail;
};

// Reads and decodes the blocks that the files need, giving each to `hand` (false: stop), then a
// last item that says why the data ended (kOk: every file had its bytes).
template <typename Hand>
void Decode(FolderBlocks& blocks, BlockDecoder& decoder, const std::string* missing_next,
            std::uint64_t needed, std::vector<std::uint8_t>& block, Hand&& hand) {
  std::uint64_t position = 0;
  while (position < needed) {
    std::span<const std::uint8_t> coded;
    std::uint16_t expanded = 0;
    bool ended = false;
    std::string detail;
    Error error = blocks.Next(coded, expanded, ended, detail);
    if (error == Error::kOk && ended) {
      error = missing_next != nullptr ? Error::kMissingPart : Error::kTruncated;
      detail = missing_next != nullptr
                   ? "la suite de ses données est dans « " + *missing_next + " », introuvable"
                   : "les données du dossier s'arrêtent avant sa fin";
    }
    if (error == Error::kOk &&
        decoder.Decode(coded, std::span(block.data(), expanded)) != Error::kOk) {
      error = Error::kCorruptData;
      detail = "données illisibles au " + blocks.Where();
    }
    if (error != Error::kOk) {
      hand(Handed{0, position, true, error, detail});
      return;
    }
    if (!hand(Handed{expanded, position, false, Error::kOk, {}})) break;
    position += expanded;
  }
  hand(Handed{0, position, true, Error::kOk, {}});
}

// Gives one handed item to the files; false once they need nothing more.
bool Receive(Dispatch& dispatch, const std::vector<std::uint8_t>& block, const Handed& item) {
  if (item.last) {
    if (item.error != Error::kOk) dispatch.FailTheRest(item.error, item.detail);
    return false;
  }
  dispatch.Deliver(std::span(block.data(), item.size), item.position);
  return !dispatch.Reach(item.position + item.size);
}

}  // namespace

void ExtractFolderData(FolderBlocks& blocks, BlockDecoder& decoder, const std::string* missing_next,
                       std::span<const ChosenFile> files, CabinetTarget& target) {
  std::uint64_t needed = 0;
  for (const ChosenFile& file : files)
    needed = std::max(needed, file.start + file.size);
  std::vector<std::uint8_t> block(kMaxBlockOutput);
  Dispatch dispatch(files, target);
  if (dispatch.Reach(0)) return;
  Decode(blocks, decoder, missing_next, needed, block,
         [&](const Handed& item) { return Receive(dispatch, block, item); });
}

}  // namespace codec
