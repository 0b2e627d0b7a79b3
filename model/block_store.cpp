#include "model/block_store.h"

#include <algorithm>
#include <cstring>

#include "text/ascii_case.h"

namespace toridasu::model {
namespace {

constexpr std::size_t kChunkSize = std::size_t{1} << 20;

}  // namespace

BlockDefinition& BlockStore::Add(BlockDefinition definition) {
  // A later definition of the same name wins (the model warns of it).
  byName_[text::AsciiUpperCase(definition.name)] = definitions_.size();
  definitions_.push_back(std::move(definition));
  return definitions_.back();
}

int64_t BlockStore::IndexOf(const std::string& key) const {
  const auto found = byName_.find(key);
  return found == byName_.end() ? -1 : static_cast<int64_t>(found->second);
}

StoredText BlockStore::Keep(const BlockText& text) {
  const TextRecord& record = text.record;
  StoredText stored;
  stored.point = record.point;
  stored.align = record.align;
  stored.height = record.height;
  stored.rotation = record.rotation;
  stored.frameRotation = text.frame.rotation;
  stored.frameHeight = text.frame.height;
  stored.line = record.line;
  stored.strings = Copy(record.text, record.handle);
  stored.textSize = static_cast<uint32_t>(record.text.size());
  stored.handleSize = static_cast<uint32_t>(record.handle.size());
  stored.extrusion = ExtrusionIndex(text.frame.extrusion);
  stored.type = NameIndex(record.type);
  stored.layer = NameIndex(record.layer);
  stored.style = NameIndex(record.style);
  stored.visible = record.visible;
  return stored;
}

void BlockStore::Restore(const StoredText& text, TextRecord& record, TextFrameInOcs& frame) const {
  record.point = text.point;
  record.align = text.align;
  record.height = text.height;
  record.rotation = text.rotation;
  record.line = text.line;
  record.text.assign(text.strings, text.textSize);
  record.handle.assign(text.strings + text.textSize, text.handleSize);
  record.type = names_[text.type];
  record.layer = names_[text.layer];
  record.style = names_[text.style];
  record.visible = text.visible;
  frame.extrusion = extrusions_[text.extrusion];
  frame.rotation = text.frameRotation;
  frame.height = text.frameHeight;
}

uint32_t BlockStore::NameIndex(const std::string& name) {
  const auto [found, added] = nameIndexes_.try_emplace(name, static_cast<uint32_t>(names_.size()));
  if (added) names_.push_back(name);
  return found->second;
}

uint32_t BlockStore::ExtrusionIndex(const Vec3& extrusion) {
  // Nearly all texts share one extrusion, most of the rest the one before.
  const auto same = [&](const Vec3& kept) {
    return kept.x == extrusion.x && kept.y == extrusion.y && kept.z == extrusion.z;
  };
  if (same(extrusions_.front())) return 0;
  if (same(extrusions_.back())) return static_cast<uint32_t>(extrusions_.size() - 1);
  extrusions_.push_back(extrusion);
  return static_cast<uint32_t>(extrusions_.size() - 1);
}

const char* BlockStore::Copy(std::string_view first, std::string_view second) {
  const std::size_t size = first.size() + second.size();
  if (size > freeSize_) {
    // A string longer than a chunk gets one of its own.
    const std::size_t chunk = std::max(size, kChunkSize);
    // Left uninitialised: every byte is written before it is read.
    chunks_.push_back(std::unique_ptr<char[]>(new char[chunk]));
    free_ = chunks_.back().get();
    freeSize_ = chunk;
  }
  char* at = free_;
  if (!first.empty()) std::memcpy(at, first.data(), first.size());
  if (!second.empty()) std::memcpy(at + first.size(), second.data(), second.size());
  free_ += size;
  freeSize_ -= size;
  return at;
}

}  // namespace toridasu::model
