#pragma once
// Permission bits do not bind root, so a test of what a read-only file or folder does to
// the game runs its case as a user they bind. Run as root (as CI runs the tests), the case
// runs in a forked child that has dropped to `nobody` (supplementary groups, group and user,
// real, effective and saved alike) in a folder of that user's own under /tmp: not in the
// build folder, which may lie under a home `nobody` cannot enter. The child's test failures
// come back to the test through a pipe. Run as anyone else, the case runs in this process.
// Only where the user cannot be changed (no right to, or no `nobody` in a user namespace)
// is the test skipped, saying why.
#include <functional>
#include <string>

// Runs `body` as an unprivileged user with `folder`, an empty folder it owns. Call it last
// in a test: a skip ends the test.
void RunAsUnprivilegedUser(const std::function<void(const std::string& folder)>& body);
