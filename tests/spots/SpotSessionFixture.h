#pragma once

#include "spots/SpotBoard.h"
#include "spots/SpotSession.h"
#include "support/ManualClock.h"
#include "support/WaitFor.h"

#include <QSignalSpy>
#include <gtest/gtest.h>

// A spotting session over its own board, the clock held still.
struct SpotSessionFixture : ::testing::Test {
    ManualClock clock;
    SpotBoard board{clock};
    SpotSession session{board};
};
