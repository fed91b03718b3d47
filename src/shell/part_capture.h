#pragma once
// One part of a capture cut into parts (--part K/N), captured by this
// process: the show played headless from the part's first frame to the next
// part's, its pictures alone written under the part's unfinished name, then
// checked (every frame there, the last one decoding) and only then given
// the part's own name, so a part left half-written is never taken. Why a
// part failed is said on standard error, kept beside the part for the join
// to say, and told to the job runner when standard output is not a terminal.
#include "shell/show_options.h"
#include "shell/start_up.h"

namespace shell {

// 1 once the part is whole and in place, -1 when it is not. The options are
// the command line's, with a part; `prepare` stands for the show's own
// preparation.
int capturePart(const ShowOptions& options, const ShowPreparation& prepare);

}  // namespace shell
