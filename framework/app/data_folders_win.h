// Setting up the data folders at start-up: working them out, waiting for each, testing that it
// can be written, and seeding a new data folder from the install folder's "Init" folder.
#pragma once

#include <cstddef>
#include <cstdint>

#include "framework/files/data_folders.h"
#include "framework/files/install_record.h"

class CStringTable;

/// Works out, waits for and tests both data folders (the common one only when it differs from
/// the per-user one). `tries` is -1 when the program was started with -WAITFORDATAPATH, else 1.
/// Returns 0, or ZRF_ERR_DATA_FOLDER: with `failedFolder` empty when the user gave up (no message
/// is due), else naming the folder that could not be made available or written (the start-up
/// then shows the data-path message for it). `folders` is filled in every case.
[[nodiscard]] int32_t PrepareDataFolders(const InstallRecord& install, const char* productName, int32_t tries,
                                         const char* tipText, const char* menuText, int32_t iconId,
                                         DataFolders* folders, char (&failedFolder)[kDataFolderSize]);

/// Fills a new data folder: when "(ZRF)App.zrd" is not in `dataFolder`, copies every file below
/// "<installFolder>\Init" to the same relative path in `dataFolder`. Existing files are never
/// overwritten, missing sub-folders are not created, folder links are not followed (CFileList),
/// and failures are skipped. Returns the number of files copied.
int32_t CopyInitFiles(const char* installFolder, const char* dataFolder);

/// The wait's tip ("<product>: Waiting for data folder...") and menu text ("Quit <product>")
/// from the framework's strings.
void FormatWaitTexts(const CStringTable& strings, const char* productName, char (&tip)[260],
                     char (&menu)[260]);

/// The data-path message for `folder` (framework string 0xF008, piece 0, with the folder).
void FormatDataPathMessage(const CStringTable& strings, const char* folder, char* text, size_t size);
