// The format dialog: the format tags on offer and their attributes; it starts from the given
// block and writes the chosen one back.
#include <gtest/gtest.h>

#include <QApplication>
#include <QComboBox>
#include <QDialog>
#include <QTimer>

#include <functional>
#include <vector>

#include "recording/WavFormatDialog.h"
#include "recording/WaveFormat.h"

namespace {

// The dialog's two lists: the format tag and its attributes.
struct Lists {
  QComboBox* tag = nullptr;
  QComboBox* attributes = nullptr;
};

// Runs the dialog on `block`; `act` sees it open, then accepts or rejects it.
WavFormatChoiceResult RunDialog(std::vector<uint8_t>& block,
                                const std::function<void(QDialog*, Lists)>& act) {
  QTimer::singleShot(0, [&] {
    auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
    ASSERT_TRUE(dialog);
    EXPECT_EQ(dialog->windowTitle(), "Set Audio Compression");
    const auto boxes = dialog->findChildren<QComboBox*>();
    ASSERT_EQ(boxes.size(), 2);
    act(dialog, Lists{boxes[0], boxes[1]});
  });
  return RunWavFormatDialog(nullptr, block);
}

std::vector<QString> Items(QComboBox* box) {
  std::vector<QString> items;
  for (int i = 0; i < box->count(); ++i) items.push_back(box->itemText(i));
  return items;
}

std::vector<uint8_t> Compressed(uint16_t tag, uint32_t rate, uint16_t channels) {
  for (const std::vector<uint8_t>& block : CompressedWaveFormats()) {
    const WaveFormatFields f = ReadWaveFormat(block);
    if (f.formatTag == tag && f.samplesPerSec == rate && f.channels == channels) return block;
  }
  return {};
}

TEST(WavFormatDialog, ListsTheInstalledFormatsAndWritesTheChoiceBack) {
  std::vector<uint8_t> block = Compressed(kWaveFormatImaAdpcm, 22050, 2);
  block.resize(30);
  std::vector<QString> tags;
  QString startTag, startAttributes;
  const std::vector<uint8_t> mp3 = Compressed(kWaveFormatMpegLayer3, 44100, 2);
  const auto result = RunDialog(block, [&](QDialog* dialog, Lists lists) {
    tags = Items(lists.tag);
    startTag = lists.tag->currentText();
    startAttributes = lists.attributes->currentText();
    // Another tag lists its own attributes.
    lists.tag->setCurrentIndex(lists.tag->findText("MPEG Layer-3"));
    lists.attributes->setCurrentIndex(
        lists.attributes->findText(QString::fromStdString(WaveFormatAttributes(mp3))));
    dialog->accept();
  });
  EXPECT_EQ(result, WavFormatChoiceResult::Ok);
  // Every encoder of the formats is installed here.
  EXPECT_EQ(tags, (std::vector<QString>{"PCM", "IMA ADPCM", "CCITT A-Law", "CCITT u-Law",
                                        "MPEG Layer-3"}));
  EXPECT_EQ(startTag, "IMA ADPCM");
  EXPECT_EQ(startAttributes, "22050 Hz, 4 bit, stereo");
  std::vector<uint8_t> expected = mp3;
  expected.resize(30);
  EXPECT_EQ(block, expected);
}

TEST(WavFormatDialog, PcmFromAnOldBlockAndCancelLeavesTheBlock) {
  // An 18-byte PCM block of an earlier run: the dialog starts there; the choice fills 18 bytes.
  WaveFormatFields start = DefaultWaveFormat();
  start.samplesPerSec = 22050;
  start.avgBytesPerSec = 22050 * 4;
  std::vector<uint8_t> block = WaveFormatBlock(start, 18);
  QString shown;
  EXPECT_EQ(RunDialog(block,
                      [&](QDialog* dialog, Lists lists) {
                        shown = lists.tag->currentText() + " " + lists.attributes->currentText();
                        lists.attributes->setCurrentIndex(
                            lists.attributes->findText("8000 Hz, 8 bit, mono"));
                        dialog->accept();
                      }),
            WavFormatChoiceResult::Ok);
  EXPECT_EQ(shown, "PCM 22050 Hz, 16 bit, stereo");
  WaveFormatFields expected = DefaultWaveFormat();
  expected.channels = 1;
  expected.samplesPerSec = 8000;
  expected.avgBytesPerSec = 8000;
  expected.blockAlign = 1;
  expected.bitsPerSample = 8;
  EXPECT_EQ(block, WaveFormatBlock(expected, 18));

  // A block the dialog does not offer starts from PCM 44100 Hz, 16 bit, stereo; cancel keeps it.
  WaveFormatFields odd = DefaultWaveFormat();
  odd.formatTag = kWaveFormatMpegLayer3;
  odd.samplesPerSec = 8000;
  const std::vector<uint8_t> before = WaveFormatBlock(odd, 18);
  block = before;
  EXPECT_EQ(RunDialog(block,
                      [&](QDialog* dialog, Lists lists) {
                        shown = lists.tag->currentText() + " " + lists.attributes->currentText();
                        dialog->reject();
                      }),
            WavFormatChoiceResult::Cancel);
  EXPECT_EQ(shown, "PCM 44100 Hz, 16 bit, stereo");
  EXPECT_EQ(block, before);
}

}  // namespace
