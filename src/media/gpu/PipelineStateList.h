#pragma once
// A fixed, numbered list of lazily made pipeline states: the common shape
// of the blend, sampler and rasterizer lists. Index i's state is made by
// the generator the list's owner gives for i, on the first request from
// any thread (Media::ComResource), and kept until the list goes; holders
// are released last index first.
#include "media/gpu/ComResource.h"

#include <array>
#include <cstddef>
#include <functional>
#include <utility>

namespace Shader {

template <class State, std::size_t N>
class PipelineStateList {
public:
    using Holder = Media::ComResource<State>;
    static constexpr int count = static_cast<int>(N);

    explicit PipelineStateList(const std::function<typename Holder::Generator(int)>& generatorOf)
        : holders_(make(generatorOf, std::make_index_sequence<N>())) {}

    // The state of that index, made on first use; std::out_of_range for an
    // index outside the list.
    State* get(int index) { return holders_.at(static_cast<std::size_t>(index)).createResource(); }
    // The holder itself (tests look at whether a state was made).
    Holder& holder(int index) { return holders_.at(static_cast<std::size_t>(index)); }

private:
    template <std::size_t... I>
    static std::array<Holder, N> make(
        const std::function<typename Holder::Generator(int)>& generatorOf,
        std::index_sequence<I...>) {
        return {Holder(generatorOf(static_cast<int>(I)))...};
    }

    std::array<Holder, N> holders_;
};

}  // namespace Shader
