// The format dialog: it starts from the given block and writes the chosen PCM format back.
#include <gtest/gtest.h>

#include <QApplication>
#include <QComboBox>
#include <QDialog>
#include <QTimer>

#include <vector>

#include "recording/WavFormatDialog.h"
#include "recording/WaveFormat.h"

namespace {

TEST(WavFormatDialog, StartsFromTheBlockAndWritesTheChoiceBack) {
  WaveFormatFields start = DefaultWaveFormat();
  start.samplesPerSec = 22050;
  start.avgBytesPerSec = 22050 * 4;
  std::vector<uint8_t> block = WaveFormatBlock(start, 18);
  std::vector<QString> shown;
  QTimer::singleShot(0, [&] {
    auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
    ASSERT_TRUE(dialog);
    EXPECT_EQ(dialog->windowTitle(), "Set Audio Compression");
    const auto boxes = dialog->findChildren<QComboBox*>();
    ASSERT_EQ(boxes.size(), 3);
    for (QComboBox* box : boxes) shown.push_back(box->currentText());
    boxes[0]->setCurrentIndex(boxes[0]->findData(8000));
    boxes[1]->setCurrentIndex(boxes[1]->findData(8));
    boxes[2]->setCurrentIndex(boxes[2]->findData(1));
    dialog->accept();
  });
  EXPECT_EQ(RunWavFormatDialog(nullptr, block), WavFormatChoiceResult::Ok);
  EXPECT_EQ(shown, (std::vector<QString>{"22050 Hz", "16 bit", "Stereo"}));
  WaveFormatFields expected;
  expected.formatTag = 1;
  expected.channels = 1;
  expected.samplesPerSec = 8000;
  expected.avgBytesPerSec = 8000;
  expected.blockAlign = 1;
  expected.bitsPerSample = 8;
  EXPECT_EQ(block.size(), 18u);
  EXPECT_EQ(ReadWaveFormat(block), expected);
}

TEST(WavFormatDialog, CancelLeavesTheBlockAndACompressedStartShowsPcmDefaults) {
  WaveFormatFields mp3 = DefaultWaveFormat();
  mp3.formatTag = 0x55;
  mp3.samplesPerSec = 8000;
  const std::vector<uint8_t> before = WaveFormatBlock(mp3, 18);
  std::vector<uint8_t> block = before;
  std::vector<QString> shown;
  QTimer::singleShot(0, [&] {
    auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
    ASSERT_TRUE(dialog);
    for (QComboBox* box : dialog->findChildren<QComboBox*>()) shown.push_back(box->currentText());
    dialog->reject();
  });
  EXPECT_EQ(RunWavFormatDialog(nullptr, block), WavFormatChoiceResult::Cancel);
  EXPECT_EQ(shown, (std::vector<QString>{"44100 Hz", "16 bit", "Stereo"}));
  EXPECT_EQ(block, before);
}

}  // namespace
