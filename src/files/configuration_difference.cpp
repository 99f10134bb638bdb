#include "files/configuration_difference.h"

#include "config/number_text.h"
#include "files/configuration_document.h"

namespace tivra {

std::vector<FieldDifference> differingFields(const MuxConfiguration& first,
                                             const MuxConfiguration& second) {
    std::vector<FieldDifference> differences;
    for (int n = 1; n <= CHANNEL_COUNT; ++n) {
        // The second channel's fields are visited alongside the first's, in the same order.
        std::vector<int32_t> secondValues;
        visitChannelFields(second.channel(n), [&](const ChannelKey&, int32_t value) {
            secondValues.push_back(value);
        });
        size_t i = 0;
        visitChannelFields(first.channel(n), [&](const ChannelKey& key, int32_t value) {
            const int32_t other = secondValues[i++];
            if (value != other)
                differences.push_back({n, key.text, decimalOfField(value), decimalOfField(other)});
        });
    }
    return differences;
}

}  // namespace tivra
