// The golden run: a fixed seed and the recorded key script golden/keys.txt, replayed through the
// real main loop, must give the stored state dump golden/dump.txt byte for byte. Any change to
// the rules, the placement, the timing of frames or timers, or the order of random draws shows
// here first.
//
// To record a new golden run on purpose (after a deliberate change of the game's behaviour), run
//     HELIX_GOLDEN_REWRITE=1 build/tests/e2e/test_e2e_golden
// which lets the steering bot play the seed, writes its key script and the dump into
// tests/e2e/golden/, and then replays nothing; review the diff of both files before committing.
#include "tests/e2e/game_run.h"

#include <cstdlib>
#include <fstream>

static constexpr long GOLDEN_SEED = 1999;

TEST_F(GameRunTest, RecordedKeysGiveTheStoredStateDump)
{
    const std::filesystem::path golden = HELIX_GOLDEN_DIR;
    const bool rewrite = std::getenv("HELIX_GOLDEN_REWRITE") != nullptr;
    if (!rewrite) {
        ThisRun.script = KeyScriptParse(FileText(golden / "keys.txt"));
        ASSERT_FALSE(ThisRun.script.empty()) << "no key script in " << golden;
    }

    EXPECT_EQ(Play(GOLDEN_SEED), 0);
    ASSERT_LT(ThisRun.log.passes, ThisRun.passLimit) << "the game did not reach its end";
    const std::string dump = GameDump(GOLDEN_SEED);

    if (rewrite) {
        std::ofstream(golden / "keys.txt", std::ios::binary) << KeyScriptText(ThisRun.keys);
        std::ofstream(golden / "dump.txt", std::ios::binary) << dump;
        GTEST_SKIP() << "golden run recorded in " << golden << "; review and commit it";
    }
    EXPECT_EQ(dump, FileText(golden / "dump.txt"));
}
