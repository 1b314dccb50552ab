#ifndef BENCHANALYSIS_H
#define BENCHANALYSIS_H

class BenchTable;
class PhImageList;
class PhObjectList;

// The analysis dock on a project: opening its tables, sorting the images
// table, and selections through the object list's selection, on a list of a
// million object points of which 40,000 are control points with three
// observed axes. Medians of `repeat` runs.
void benchAnalysis(BenchTable &table, const PhImageList &images, PhObjectList &objects, int repeat);

#endif  // BENCHANALYSIS_H
