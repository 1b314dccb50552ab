#include "phreportdocument.h"

void PhReportDocument::heading(const QString &text, int level, bool bNewPage) {
  Block block;
  block.kind = BLK_Heading;
  block.text = text;
  block.level = level;
  block.newPage = bNewPage;
  mBlocks.push_back(block);
}

void PhReportDocument::paragraph(const QString &text) {
  Block block;
  block.kind = BLK_Paragraph;
  block.text = text;
  mBlocks.push_back(block);
}

PhReportDocument::Table &PhReportDocument::table(const QString &id, const QStringList &header) {
  Block block;
  block.kind = BLK_Table;
  block.table.id = id;
  block.table.header = header;
  block.table.numeric.assign(std::size_t(header.size()), false);
  mBlocks.push_back(block);
  return mBlocks.back().table;
}

void PhReportDocument::picture(const Picture &picture) {
  Block block;
  block.kind = BLK_Picture;
  block.picture = picture;
  mBlocks.push_back(block);
}
