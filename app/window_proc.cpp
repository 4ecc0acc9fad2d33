// The main window's procedure and name entry.
#include "app/window_proc.h"

#include "game/placement.h"
#include "game/score_file.h"
#include "game/world.h"
#include "platform/message.h"
#include "platform/timer.h"
#include "platform/window.h"
#include "support/error_log.h"

static constexpr unsigned char CHAR_BACKSPACE = 8;
static constexpr unsigned char CHAR_ENTER = 13;
static constexpr unsigned char CHAR_DELETE = 127;

// Enter saves the record once, and only on the score screen: before the end of the game there is
// no rank title to save yet. A failed save leaves entry closed and the next Enter tries again.
static void NameEntryEnter()
{
    if (GameState != STATE_SCORES || ScoreSaved != 0) {
        return;
    }
    NameEntryOpen = 0;
    if (SaveScore() != 0) {
        ScoreSaved = 1;
    } else {
        ErrorReport("cannot save the score in %s: %s", ScoreFilePath, ScoreFileError);
    }
}

// Backspace takes the last character away (the terminator moves back), so a saved name never
// carries leftover blanks.
static void NameEntryBackspace()
{
    if (NameEntryOpen == 0 || NameLength <= 0) {
        return;
    }
    --NameLength;
    PlayerName[NameLength] = '\0';
}

// Control characters would break the three-line score record, so only printable ones are kept.
static void NameEntryType(unsigned char c)
{
    if (NameEntryOpen == 0 || c < 32 || c == CHAR_DELETE || NameLength >= NAME_MAX_LENGTH) {
        return;
    }
    PlayerName[NameLength] = static_cast<char>(c);
    ++NameLength;
    PlayerName[NameLength] = '\0';
}

LRESULT MainWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
        case WM_CREATE:
            return 0;
        case WM_PAINT: {
            PAINTSTRUCT paint{};
            BeginPaint(window, &paint);
            EndPaint(window, &paint);
            return 0;
        }
        case WM_CLOSE:
            // The close button (or the desktop asking the program to end) takes Escape's road:
            // the window lives on until the game has shut its display down, since the last frame
            // and the shutdown still present into it.
            PostMessage(window, WM_DESTROY, 0, 0);
            return 0;
        case WM_DESTROY:
            if (RespawnTimerIdle == 0) {
                KillTimer(MainWindow, RESPAWN_TIMER_ID);
            }
            PostQuitMessage(0);
            return 0;
        case WM_CHAR: {
            auto c = static_cast<unsigned char>(wParam & 0xFF);
            if (c == CHAR_ENTER) {
                NameEntryEnter();
            } else if (c == CHAR_BACKSPACE) {
                NameEntryBackspace();
            } else {
                NameEntryType(c);
            }
            break;
        }
        case WM_TIMER:
            if (wParam == RESPAWN_TIMER_ID) {
                RespawnTick();
            }
            break;
        default:
            break;
    }
    return DefWindowProc(window, message, wParam, lParam);
}
