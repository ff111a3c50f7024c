// Snapshots: the TV picture saved as a BMP or JPEG file in the Images folder of the program
// folder, under a date-and-time name or always as frame.bmp / frame.jpg. GrabFrame takes one;
// the panel's Timer5 takes them periodically and a hot key on demand. The last picture is shown
// as the capture window's preview.
#pragma once

#include <QImage>

#include <ctime>
#include <filesystem>
#include <string>

#include "viewer/SnapshotJpeg.h"

// The format of a snapshot, as the capture window's Image page sets it.
struct SnapshotOptions {
  bool jpeg = true;  // else BMP
  JpegOptions encoding;
};
SnapshotOptions CurrentSnapshotOptions();

// The name of a snapshot taken at local time `t`, without extension: the C library's asctime
// text in English without its line end, with '-' for ':' ("Tue Dec  8 22-11-05 2026").
std::string SnapshotName(const std::tm& t);

// The Images folder of the program folder: one that exists in any letter case, else "Images",
// made when missing.
std::filesystem::path ImagesFolder();

// Takes one snapshot. The TV window grabs a frame and writes it as a BMP file; in JPEG mode the
// BMP is converted and removed. Raises EFCreateError "Cannot create file %s" when no frame could
// be saved (no TV window or driver, or the file cannot be written), and EJPEG for an encoding
// error; TvPreviewMode is set only while it runs.
void GrabFrame();

// Shows a snapshot file as the capture window's preview.
void ShowSnapshotPreview(const std::filesystem::path& file);
// The picture the capture window's preview shows; null before the first snapshot.
extern QImage& SnapshotPreview;
