#pragma once

#include <QByteArray>
#include <cstddef>
#include <cstdint>

class Database;

// What every fuzz target shares: the Qt application object, silence for the
// readers' log lines (millions of inputs would drown the fuzzer's own output),
// and a scratch database for the readers that write what they read.
namespace FuzzSupport {

// Call from LLVMFuzzerInitialize.
void start(int *argc, char ***argv);

// The input as the program would hold it: a copy, with Qt's terminating zero.
QByteArray bytes(const uint8_t *data, size_t size);

// A migrated database in a temporary directory, open on Qt's default
// connection for the life of the process. Null when it cannot be set up.
Database *scratchDatabase();

// Opens a transaction that discardScratch() rolls back, so that each input
// starts from the same rows. Writes the code under test wraps in its own
// transaction join this one (a second BEGIN fails and they go on inside it).
bool beginScratch();
void discardScratch();

} // namespace FuzzSupport
