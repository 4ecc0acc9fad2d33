// The player's own files, kept apart from the game's read-only data: the score file lives in the
// player's data folder ($XDG_DATA_HOME/helixdash, by default ~/.local/share/helixdash), the
// settings in the config folder, both found, made and written through here.
#pragma once

#include <string>

// Chooses ScoreFilePath (game/score_file.h) and makes sure the file exists:
// - chosen (the player's --scores FILE), when not null: that file, made empty when missing; no
//   folder is made for it;
// - else scores.brd in the player's data folder, made with its folders on the first run. When the
//   player has none yet, the first non-empty score file of the oldScoreFiles (count of them: where
//   earlier versions kept it, beside the game's data) is copied there, so no scores are lost;
// - with neither XDG_DATA_HOME nor HOME set, scores.brd in the working folder, with a warning.
// What cannot be made or copied is reported (ErrorReport) and the game goes on: a score file that
// cannot be read leaves the table empty, and a save says why it failed. 1 when the file exists
// as a regular file afterwards, else 0.
int PlayerScoreFileFind(const char* chosen, const char* const* oldScoreFiles, int count);

// The game's folder among the player's: $xdgVariable/helixdash, else $HOME/homeDefault/helixdash
// ("" when neither is set). A relative path in xdgVariable is ignored, as the desktop's
// base-directory rules ask.
std::string PlayerFolder(const char* xdgVariable, const char* homeDefault);
// Makes the folder and every missing folder above it, private to the player as those rules ask of
// folders they make. 1 when it exists as a folder afterwards.
int PlayerMakeFolders(const std::string& folder);
// Writes the contents to a new file beside path, made durable, and renames it into place, so the
// player's file appears whole or not at all. 1 on success.
int PlayerWriteWhole(const std::string& path, const std::string& contents);
