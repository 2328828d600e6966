#include "app/progress_printer.h"

#include <gtest/gtest.h>
#include <sstream>

namespace paperkit {
namespace {

TEST(ProgressPrinter, TerminalRewritesAnAlbumsLineInPlace) {
    std::ostringstream out;
    ProgressPrinter progress(out, true);
    progress.Show("1:7", "Sea: 1/2 pictures", false);
    progress.Show("1:7", "Sea: 2/2 pictures", true);
    progress.Show("1:8", "Hills: 1/3 pictures", false);
    progress.Show("1:9", "Snow: 1/1 pictures", true);
    progress.Note("Catalog updated");
    EXPECT_EQ(out.str(), "\rSea: 1/2 pictures\x1b[K\rSea: 2/2 pictures\x1b[K\n"
                         "\rHills: 1/3 pictures\x1b[K\n\rSnow: 1/1 pictures\x1b[K\n"
                         "Catalog updated\n");
}

TEST(ProgressPrinter, PipeGetsPlainLines) {
    std::ostringstream out;
    ProgressPrinter progress(out, false);
    progress.Show("1:7", "Sea: 1/2 pictures", false);
    progress.Show("1:7", "Sea: 2/2 pictures", true);
    progress.Note("Catalog updated");
    EXPECT_EQ(out.str(), "Sea: 1/2 pictures\nSea: 2/2 pictures\nCatalog updated\n");
}

} // namespace
} // namespace paperkit
