// The threads of the LZX encoder: segments are searched for matches one after the other, since
// the match finder's window runs through them all, and planned in any order on any thread, since
// each plan depends only on its segment. Searching comes first whenever a table is free, so that
// the one serial stage never waits for the others.
#pragma once

#include <cstddef>
#include <functional>

namespace codec {

struct LzxPipelineStages {
  // Searches segment `segment` into table `table`; called for the segments in order, one at a time.
  std::function<void(std::size_t segment, std::size_t table)> find;
  // Plans segment `segment` from table `table` on thread `worker`, after its search.
  std::function<void(std::size_t segment, std::size_t table, std::size_t worker)> plan;
};

// Runs both stages over `segments` segments on `workers` threads (the caller's among them, fewer
// when the system cannot start more), with `tables` tables between the stages. An exception in a
// stage stops the others and is thrown again here.
void RunLzxPipeline(std::size_t segments, std::size_t workers, std::size_t tables,
                    const LzxPipelineStages& stages);

}  // namespace codec
