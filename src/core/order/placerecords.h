#pragma once

// The record of each place of a result list (see resultorder.h), read from the roster
// image with its extent taken once, not per record.

#include "core/league/leaguedata.h"
#include "core/league/records.h"

#include <cstdint>
#include <vector>

namespace vantrel {

class PlaceRecords {
  public:
    PlaceRecords(const ByteImage* roster, const std::vector<std::int32_t>& records)
        : base_(roster ? roster->data.get() : nullptr),
          count_(roster ? static_cast<std::int64_t>(roster->size / kPlayerRecordSize) : 0),
          records_(records) {}

    // Place p's record, nullptr for a record outside the image.
    const std::uint8_t* operator()(std::size_t place) const {
        const std::int64_t record = records_[place];
        return record >= 0 && record < count_ ? base_ + record * kPlayerRecordSize : nullptr;
    }

    // The record index of each place, for reads asked for ahead.
    const std::int32_t* RecordIndices() const { return records_.data(); }

  private:
    const std::uint8_t* base_;
    std::int64_t count_;
    const std::vector<std::int32_t>& records_;
};

}  // namespace vantrel
