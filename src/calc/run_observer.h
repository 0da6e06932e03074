#pragma once
#include <string>
#include <vector>

namespace calc {

class RunResults;
struct RunParameters;

// What a grid run tells its host: the live displays (working G-x chart and mosaic), the status
// text and the yield once per row. Every method has an empty default, so this class itself is the
// null observer. The run asks showChart()/showMosaic() each time it is about to draw and makes no
// drawing call at all while they answer false, so a host without displays costs nothing per point.
class RunObserver {
public:
    virtual ~RunObserver() = default;

    virtual bool showChart() { return false; }
    virtual bool showMosaic() { return false; }
    // Height of the mosaic image in pixels, for the pixel row of each Y row (0: no image).
    virtual int mosaicHeight() { return 0; }

    // After the composition grid is built: one chart series per solution phase, then "Convex".
    virtual void runPrepared(const std::vector<std::string>& /*solutionPhases*/, const RunResults&) {}
    // Start of a Y row: the chart's series are cleared.
    virtual void rowStarted(double /*y*/) {}
    // Working chart: G of solution phase `phase` (SolutionList order) at x, as evaluated.
    virtual void addPhasePoint(int /*phase*/, double /*x*/, double /*g*/) {}
    // Working chart: the next vertex of the lower hull, in order of decreasing x.
    virtual void addHullPoint(double /*x*/, double /*g*/) {}
    // Mosaic: a point phase on the hull at x, in the pixel row given.
    virtual void drawPointPhase(double /*x*/, int /*pixelRow*/) {}
    // Mosaic: a two-phase segment from x1 to x2 in the pixel row given.
    virtual void drawSegment(double /*x1*/, double /*x2*/, int /*pixelRow*/) {}
    // Status bar text, every tenth row ("Temperature = 1234.5").
    virtual void statusText(const std::string& /*text*/) {}
    // Once after the preparation and once after every row: the host processes its events here
    // (a stop request made now is seen before the next row).
    virtual void yield() {}
    // The run has ended: completed (last row YMin) or not (stopped, refused, failed).
    virtual void runFinished(bool /*completed*/) {}
};

}  // namespace calc
