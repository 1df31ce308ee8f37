#pragma once

#include "clsSPLINE.h"

#include <array>
#include <cstdint>
#include <optional>
#include <QString>
#include <span>
#include <utility>
#include <vector>

class clsDATEN;

// The evaluation of the active test record: reads its test conditions (E2) and readings (E3), computes per
// reading the specimen volume, the water content and the dry density of the tested fraction and corrected
// for the oversize grain, the maxima and optimum water contents of the points and of the spline curves, the
// water contents at DPR per cent of the maximum on the dry and the wet side, and stores the thirteen
// results in A1 and one row per reading in A2. Made for one evaluation and released after it.
class clsBERECHNEN {
public:
    // True when every result was stored. False, with nothing written, when the record can't be evaluated
    // (the user is told why), when a value could not be read, after an error box, or when the user
    // cancelled the spline fit. Steps the start screen's progress bar 0, 30, 60, 100.
    bool BERECHNUNG();

    // Whether curves are fitted through the points: three or more, whose water contents w (WU) and
    // corrected water contents wK (W) both rise strictly. The pages follow the evaluation with it.
    static bool curvesFit(std::span<const float> W, std::span<const float> WU);

private:
    static float LININT(float X1, float X2, float X, float Y1, float Y2);

    // Each False when a value could not be read (the table cursor has told the user).
    bool readConditions(clsDATEN& e2);
    // N and the reading numbers, in ascending order.
    bool readNumbers(clsDATEN& e3, std::vector<std::int16_t>& numbers);
    // Reads the readings; `unreadable` tells why when one of them is no number a Single holds.
    bool readReadings(clsDATEN& e3, std::optional<QString>& unreadable);
    // Why the readings can't be evaluated: none, too many, or a number missing from 0 .. N-1.
    std::optional<QString> checkNumbers(const std::vector<std::int16_t>& numbers) const;
    // Volume, water content and dry density per reading; the reason when one of them can't be computed.
    std::optional<QString> computePoints();
    // The first of the highest ordinates and its abscissa.
    static void findMaximum(std::span<const float> x, std::span<const float> y, float& top, float& at);
    // The abscissae where the polyline through (x, y) passes t rising (dry) and falling (wet).
    static void findCrossings(std::span<const float> x, std::span<const float> y, float t, float& dry,
                              float& wet);
    void findPointResults();
    // The readings whose water contents don't rise, as lines of a message; empty when they all rise.
    QString readingsOutOfOrder() const;
    // False when the user cancelled the fit.
    bool fitCurves();
    void findCurveResults();
    // The thirteen results by their columns in A1, in the order they are stored.
    std::array<std::pair<const char*, float>, 13> results() const;
    std::optional<QString> checkResults() const;
    // All results or none: one transaction; False when a write failed.
    bool writeResults(clsDATEN& a1, clsDATEN& a2) const;
    // True when the first N points ordered by number are numbered 0 .. N-1, as a former evaluation left them.
    bool pointsNumbered(clsDATEN& a2) const;

    // Test conditions (E2).
    bool KENW = false; // True: water content by drying sub-samples; False: by the added water
    float DC = 0, HC = 0, MC = 0, H2S = 0, RHSU = 0, UE = 0, RHSUE = 0, WUE = 0, MSG = 0, MZ = 0, DPR = 0;

    // Readings (E3), element i is the reading numbered i.
    std::int16_t N = 0;
    std::int32_t count_ = 0; // the number of readings as stored, also beyond what N can count
    std::vector<float> M1, HS, M1W, M2W, MCW, M1R;

    // Per reading: height above the cylinder, volume, water content and dry density of the tested fraction
    // (WU, RHDU) and corrected for the oversize grain (W, RHD), named as their columns in A2.
    std::vector<float> H, V, WU, RHDU, W, RHD;
    float F = 0; // the tested fraction's share, 1 - UE/100

    // Results (A1).
    float RHPR = 0, WPR = 0, RHPRSP = 0, WPRSP = 0, RHPRU = 0, WPRU = 0, RHPRUSP = 0, WPRUSP = 0;
    float WUDPR = 0, WODPR = 0, WUDPRSP = 0, WODPRSP = 0, RHS = 0;

    // The sampled curves through the corrected (K) and the uncorrected (U) points.
    clsSPLINE::Curve XK{}, YK{}, XU{}, YU{};
    clsSPLINE spline_;
};
