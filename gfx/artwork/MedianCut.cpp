#include "gfx/artwork/MedianCut.h"

#include <algorithm>
#include <array>
#include <cstddef>
#include <tuple>

namespace art {

namespace {

using Box = std::vector<Srgb8>;

// Channel 0 is red, 1 green, 2 blue.
int Channel(Srgb8 colour, int channel) {
    if (channel == 0) return colour.red;
    if (channel == 1) return colour.green;
    return colour.blue;
}

// Weights as in ColourDistance: green counts most, blue least.
constexpr std::array<int, 3> kChannelWeights = {3, 4, 2};

struct Spread {
    int channel = 0;
    long long weightedRange = 0;  // squared range times the channel's weight
};

Spread WidestChannel(const Box& box) {
    Spread widest;
    for (int channel = 0; channel < 3; ++channel) {
        const auto [low, high] = std::minmax_element(box.begin(), box.end(), [channel](Srgb8 first, Srgb8 second) {
            return Channel(first, channel) < Channel(second, channel);
        });
        const int range = Channel(*high, channel) - Channel(*low, channel);
        const long long weighted = static_cast<long long>(range) * range *
                                   kChannelWeights[static_cast<std::size_t>(channel)] *
                                   static_cast<long long>(box.size());
        if (weighted > widest.weightedRange) {
            widest = {channel, weighted};
        }
    }
    return widest;
}

auto Key(Srgb8 colour, int channel) {
    return std::make_tuple(Channel(colour, channel), colour.red, colour.green, colour.blue);
}

void SplitAtMedian(std::vector<Box>& boxes, std::size_t which, int channel) {
    Box& box = boxes[which];
    std::sort(box.begin(), box.end(),
              [channel](Srgb8 first, Srgb8 second) { return Key(first, channel) < Key(second, channel); });
    const auto half = static_cast<std::ptrdiff_t>(box.size() / 2);
    Box upper(box.begin() + half, box.end());
    box.erase(box.begin() + half, box.end());
    boxes.push_back(std::move(upper));
}

Srgb8 Mean(const Box& box) {
    std::array<long, 3> sums = {0, 0, 0};
    for (const Srgb8 colour : box) {
        sums[0] += colour.red;
        sums[1] += colour.green;
        sums[2] += colour.blue;
    }
    const auto size = static_cast<long>(box.size());
    const auto channelMean = [size](long sum) { return static_cast<std::uint8_t>((sum + size / 2) / size); };
    return {channelMean(sums[0]), channelMean(sums[1]), channelMean(sums[2])};
}

constexpr int kRefinementRounds = 12;

std::size_t NearestOf(const std::vector<Srgb8>& representatives, Srgb8 colour) {
    std::size_t nearest = 0;
    for (std::size_t i = 1; i < representatives.size(); ++i) {
        if (ColourDistance(colour, representatives[i]) < ColourDistance(colour, representatives[nearest])) {
            nearest = i;
        }
    }
    return nearest;
}

// One round of Lloyd's refinement: each representative moves to the mean of
// the colours it stands for; one that stands for none stays where it is.
void MoveToMeans(std::vector<Srgb8>& representatives, const std::vector<Srgb8>& colours) {
    std::vector<Box> groups(representatives.size());
    for (const Srgb8 colour : colours) {
        groups[NearestOf(representatives, colour)].push_back(colour);
    }
    for (std::size_t i = 0; i < representatives.size(); ++i) {
        if (!groups[i].empty()) {
            representatives[i] = Mean(groups[i]);
        }
    }
}

int LuminanceKey(Srgb8 colour) { return 3 * colour.red + 6 * colour.green + colour.blue; }

}  // namespace

std::vector<Srgb8> MedianCut(std::vector<Srgb8> colours, int count) {
    if (colours.empty() || count < 1) {
        return {};
    }
    std::vector<Box> boxes = {colours};
    while (static_cast<int>(boxes.size()) < count) {
        std::size_t widestBox = 0;
        Spread widest;
        for (std::size_t i = 0; i < boxes.size(); ++i) {
            const Spread spread = WidestChannel(boxes[i]);
            if (boxes[i].size() > 1 && spread.weightedRange > widest.weightedRange) {
                widestBox = i;
                widest = spread;
            }
        }
        if (widest.weightedRange == 0) {
            break;  // every box holds one colour
        }
        SplitAtMedian(boxes, widestBox, widest.channel);
    }
    std::vector<Srgb8> result;
    for (const Box& box : boxes) {
        result.push_back(Mean(box));
    }
    for (int round = 0; round < kRefinementRounds; ++round) {
        MoveToMeans(result, colours);
    }
    std::sort(result.begin(), result.end(), [](Srgb8 first, Srgb8 second) {
        return std::make_tuple(LuminanceKey(first), first.red, first.green, first.blue) <
               std::make_tuple(LuminanceKey(second), second.red, second.green, second.blue);
    });
    return result;
}

}  // namespace art
