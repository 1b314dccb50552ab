#ifndef PHREPORTDOCUMENT_H
#define PHREPORTDOCUMENT_H

#include <QSize>
#include <QString>
#include <QStringList>

#include <functional>
#include <vector>

class QPainter;

// A report as a sequence of blocks, which the HTML and the PDF writer lay
// out each in its own way: headings, paragraphs, tables and pictures that
// paint themselves onto any painter (an SVG generator, a PDF page).
class PhReportDocument {
 public:
  enum KindE { BLK_Heading, BLK_Paragraph, BLK_Table, BLK_Picture };

  struct Table {
    QString id;
    QStringList header;
    // Numbers are right-aligned.
    std::vector<bool> numeric;
    std::vector<QStringList> rows;
    // A cell text naming a failed check, shown marked.
    QString failText;
    // The PDF shows at most this many rows (-1 all), then the note.
    int pdfRows = -1;
    QString pdfNote;
  };
  struct Picture {
    QString id;
    QString title;
    QString caption;
    // Drawn into a rectangle of this size at the painter's origin.
    QSize size;
    std::function<void(QPainter &)> paint;
  };
  struct Block {
    KindE kind = BLK_Paragraph;
    QString text;   // heading or paragraph
    int level = 2;  // of a heading
    // A heading that starts a new PDF page.
    bool newPage = false;
    Table table;
    Picture picture;
  };

  QString title;
  // Named in every page header of the PDF.
  QString projectName;

  void heading(const QString &text, int level = 2, bool bNewPage = false);
  void paragraph(const QString &text);
  Table &table(const QString &id, const QStringList &header);
  void picture(const Picture &picture);

  const std::vector<Block> &blocks() const { return mBlocks; }

 private:
  std::vector<Block> mBlocks;
};

#endif  // PHREPORTDOCUMENT_H
