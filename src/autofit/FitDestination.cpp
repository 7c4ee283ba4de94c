#include "FitDestination.hpp"

#include <opencv2/core.hpp>
#include <opencv2/imgproc.hpp>
#include <opencv2/video/tracking.hpp>

#include <algorithm>
#include <cmath>
#include <stdexcept>
#include <string>

namespace {

// Side of the square window each match is measured over, in pixels.
constexpr int kWindow = 15;
// Pyramid levels above the full image: with the window above, the top level follows a motion
// of about 7 * 2^5 pixels, more than a neighbouring frame of a clip moves.
constexpr int kPyramidLevels = 5;
// Largest distance, in pixels, between a source point and where its match leads back.
constexpr double kMaxRoundTrip = 0.5;
// Iteration limits of each level's refinement.
const cv::TermCriteria kRefinement(cv::TermCriteria::COUNT | cv::TermCriteria::EPS, 20, 0.01);

void RequirePixels(const WorkImage& image) {
    if (image.bits == nullptr || image.width <= 0 || image.height <= 0 ||
        image.rowStride < 3 * image.width) {
        throw std::invalid_argument("auto-fit needs two images with pixels");
    }
}

// The top-left width x height pixels of image as a grey picture. The rows are stored
// bottom-up, so the header over the pixel memory shows the picture upside down: row 0 of the
// result is the bottom row of the area. The colour pixels are read in place.
cv::Mat GreyOfArea(const WorkImage& image, int width, int height) {
    uint8_t* firstRow = RowFromBottom(image, image.height - height);
    const cv::Mat colour(height, width, CV_8UC3, firstRow, static_cast<size_t>(image.rowStride));
    cv::Mat grey;
    cv::cvtColor(colour, grey, cv::COLOR_BGR2GRAY);
    return grey;
}

bool Inside(const cv::Point2f& p, int width, int height) {
    return p.x >= 0.0f && p.y >= 0.0f && p.x <= static_cast<float>(width - 1) &&
           p.y <= static_cast<float>(height - 1);
}

// FitDestination without the translation of the library's exceptions.
std::vector<FitMatch> MatchPoints(const WorkImage& src, const WorkImage& dst,
                                  std::span<const Point> sourcePoints) {
    RequirePixels(src);
    RequirePixels(dst);
    std::vector<FitMatch> matches(sourcePoints.size(), FitMatch{0.0, 0.0, false});
    const int width = std::min(src.width, dst.width);
    const int height = std::min(src.height, dst.height);
    if (width < kWindow || height < kWindow) {
        return matches; // too small an area to measure a window in
    }

    // Points are tracked in the upside-down frame of the grey pictures: y' = height - 1 - y.
    std::vector<cv::Point2f> from;
    std::vector<size_t> fromIndex;
    for (size_t i = 0; i < sourcePoints.size(); ++i) {
        const Point& p = sourcePoints[i];
        if (p.x >= 0 && p.y >= 0 && p.x < width && p.y < height) {
            from.emplace_back(static_cast<float>(p.x), static_cast<float>(height - 1 - p.y));
            fromIndex.push_back(i);
        }
    }
    if (from.empty()) {
        return matches;
    }

    const cv::Size window(kWindow, kWindow);
    std::vector<cv::Mat> srcPyramid;
    std::vector<cv::Mat> dstPyramid;
    const int levels = std::min(cv::buildOpticalFlowPyramid(GreyOfArea(src, width, height),
                                                            srcPyramid, window, kPyramidLevels),
                                cv::buildOpticalFlowPyramid(GreyOfArea(dst, width, height),
                                                            dstPyramid, window, kPyramidLevels));

    std::vector<cv::Point2f> there;
    std::vector<cv::Point2f> back;
    std::vector<uint8_t> foundThere;
    std::vector<uint8_t> foundBack;
    std::vector<float> error;
    cv::calcOpticalFlowPyrLK(srcPyramid, dstPyramid, from, there, foundThere, error, window, levels,
                             kRefinement);
    cv::calcOpticalFlowPyrLK(dstPyramid, srcPyramid, there, back, foundBack, error, window, levels,
                             kRefinement);

    for (size_t j = 0; j < from.size(); ++j) {
        const bool found = foundThere[j] != 0 && foundBack[j] != 0;
        const bool returns =
            std::hypot(back[j].x - from[j].x, back[j].y - from[j].y) <= kMaxRoundTrip;
        if (found && returns && Inside(there[j], width, height)) {
            matches[fromIndex[j]] = FitMatch{there[j].x, height - 1.0 - there[j].y, true};
        }
    }
    return matches;
}

} // namespace

std::vector<FitMatch> FitDestination(const WorkImage& src, const WorkImage& dst,
                                     std::span<const Point> sourcePoints) {
    try {
        return MatchPoints(src, dst, sourcePoints);
    } catch (const cv::Exception& e) {
        throw std::runtime_error(std::string("optical flow failed: ") + e.what());
    }
}
