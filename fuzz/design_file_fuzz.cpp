// SPDX-License-Identifier: GPL-3.0-or-later
// libFuzzer target: any bytes through the design file reader, as "Apri progetto…" reads them
// once a file is within its size. Checked on every input, each violation ending the run with a
// message:
// - the reader answers with a design or with a reason, never both and never neither; a reason
//   is a sentence's end ("…!");
// - an accepted design is one the writer takes: every text within 1,000 characters, every part
//   choice in its list;
// - its bytes are strict JSON: no escape JSON does not have, no raw control character in a text;
// - written again, it reads back the same, text for text, and that writing is the same bytes.

#include "app/design_file.h"
#include "main_window/design_files.h"

#include <QByteArray>

#include <cstdint>
#include <cstdio>
#include <cstdlib>

namespace {

void Check(bool holds, const char* what) {
    if (holds)
        return;
    std::fprintf(stderr, "\nPROPERTY VIOLATED: %s\n", what);
    std::abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const QByteArray bytes =
        QByteArray::fromRawData(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    const app::DesignFileSchema schema = main_window::DesignFileKeys();
    const app::DesignFileReading reading = app::DecodeDesignFile(bytes, schema);
    if (!reading.design) {
        Check(reading.problem.endsWith(u'!'), "a refusal without its reason");
        return 0;
    }
    Check(reading.problem.isEmpty(), "a design read back together with a reason");
    Check(app::StrictJsonFault(bytes) < 0, "a design read from bytes that are not strict JSON");
    Check(app::DesignFileProblem(*reading.design, schema).isEmpty(), "a design the writer refuses");
    const QByteArray written = app::EncodeDesignFile(*reading.design, schema);
    const app::DesignFileReading again = app::DecodeDesignFile(written, schema);
    Check(again.design == reading.design, "a design that does not read back as written");
    Check(app::EncodeDesignFile(*again.design, schema) == written,
          "a writing that changes when read back");
    return 0;
}
