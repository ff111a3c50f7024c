#include "gui/TextLayout.h"

#include "gui/Canvas.h"

namespace gui {

namespace {

// Removes the prefix marks: "&&" is one '&', "&x" marks x; returns the marked index or -1.
int stripPrefixes(QString& text) {
  QString out;
  int underline = -1;
  for (qsizetype i = 0; i < text.size(); ++i) {
    if (text[i] == u'&') {
      if (i + 1 >= text.size()) break;
      ++i;
      if (text[i] != u'&') underline = int(out.size());
    }
    out.append(text[i]);
  }
  text = out;
  return underline;
}

void expandTabs(TextLine& line, const QFontMetrics& metrics) {
  if (!line.text.contains(u'\t')) return;
  int stop = std::max(1, 8 * metrics.averageCharWidth());
  QString out;
  int shiftedUnderline = line.underline;
  for (qsizetype i = 0; i < line.text.size(); ++i) {
    if (line.text[i] != u'\t') {
      out.append(line.text[i]);
      continue;
    }
    int next = (metrics.horizontalAdvance(out) / stop + 1) * stop;
    int added = 0;
    do {
      out.append(u' ');
      ++added;
    } while (metrics.horizontalAdvance(out) < next);
    if (line.underline > i) shiftedUnderline += added - 1;
  }
  line.text = out;
  line.underline = shiftedUnderline;
}

// Greedy breaking between words; a word wider than the line stays whole.
std::vector<TextLine> breakWords(const TextLine& paragraph, int maxWidth,
                                 const QFontMetrics& metrics) {
  std::vector<TextLine> lines;
  const QString& text = paragraph.text;
  qsizetype lineStart = 0, lineEnd = 0;  // the current line is text[lineStart, lineEnd)
  qsizetype i = 0;
  auto finishLine = [&](qsizetype end) {
    qsizetype trimmed = end;
    while (trimmed > lineStart && text[trimmed - 1] == u' ') --trimmed;
    TextLine line;
    line.text = text.mid(lineStart, trimmed - lineStart);
    if (paragraph.underline >= lineStart && paragraph.underline < trimmed) {
      line.underline = int(paragraph.underline - lineStart);
    }
    lines.push_back(line);
  };
  while (i < text.size()) {
    qsizetype wordEnd = i;
    while (wordEnd < text.size() && text[wordEnd] == u' ') ++wordEnd;
    while (wordEnd < text.size() && text[wordEnd] != u' ') ++wordEnd;
    int width = metrics.horizontalAdvance(text.mid(lineStart, wordEnd - lineStart));
    if (width > maxWidth && lineEnd > lineStart) {
      finishLine(lineEnd);
      lineStart = lineEnd;
      while (lineStart < text.size() && text[lineStart] == u' ') ++lineStart;
      i = lineStart;
      lineEnd = lineStart;
      continue;
    }
    lineEnd = wordEnd;
    i = wordEnd;
  }
  if (lineEnd > lineStart || lines.empty()) finishLine(lineEnd);
  return lines;
}

void endEllipsis(TextLine& line, int maxWidth, const QFontMetrics& metrics) {
  if (metrics.horizontalAdvance(line.text) <= maxWidth) return;
  const QString dots = QStringLiteral("...");
  QString text = line.text;
  while (!text.isEmpty() && metrics.horizontalAdvance(text + dots) > maxWidth) text.chop(1);
  if (line.underline >= text.size()) line.underline = -1;
  line.text = text + dots;
}

std::vector<QString> splitParagraphs(const QString& text) {
  std::vector<QString> paragraphs;
  QString current;
  for (qsizetype i = 0; i < text.size(); ++i) {
    QChar c = text[i];
    if (c == u'\r' || c == u'\n') {
      paragraphs.push_back(current);
      current.clear();
      if (c == u'\r' && i + 1 < text.size() && text[i + 1] == u'\n') ++i;
    } else {
      current.append(c);
    }
  }
  paragraphs.push_back(current);
  return paragraphs;
}

}  // namespace

std::vector<TextLine> LayoutText(const QString& text, unsigned flags, int maxWidth,
                                 const QFontMetrics& metrics) {
  std::vector<TextLine> lines;
  if (text.isEmpty()) return lines;
  std::vector<QString> paragraphs;
  if (flags & DT_SINGLELINE) {
    QString single = text;
    single.remove(u'\r');
    single.remove(u'\n');
    paragraphs.push_back(single);
  } else {
    paragraphs = splitParagraphs(text);
  }
  for (QString& paragraph : paragraphs) {
    TextLine line;
    line.text = paragraph;
    if (!(flags & DT_NOPREFIX)) line.underline = stripPrefixes(line.text);
    if (flags & DT_HIDEPREFIX) line.underline = -1;
    if (flags & DT_EXPANDTABS) expandTabs(line, metrics);
    if ((flags & DT_WORDBREAK) && !(flags & DT_SINGLELINE)) {
      for (TextLine& broken : breakWords(line, maxWidth, metrics)) lines.push_back(broken);
    } else {
      lines.push_back(line);
    }
  }
  for (TextLine& line : lines) {
    if (flags & DT_END_ELLIPSIS) endEllipsis(line, maxWidth, metrics);
    line.width = metrics.horizontalAdvance(line.text);
  }
  return lines;
}

}  // namespace gui
