#include "effects/media/TextTables.h"

#include <mutex>

namespace Effect {

namespace {

constexpr TextDecoration decorations[] = {
    {L"標準文字", 0.0f, 0.0f, true},
    {L"影付き文字", 0.0f, 1.0f, true},
    {L"影付き文字(薄)", 0.0f, 0.5f, true},
    {L"縁取り文字", 0.15f, 0.0f, true},
    {L"縁取り文字(細)", 0.075f, 0.0f, true},
    {L"縁取り文字(太)", 0.225f, 0.0f, true},
    {L"縁取り文字(角)", 0.075f, 0.0f, false},
};

constexpr TextAlignment alignments[] = {
    {L"左寄せ[上]", -0.5f, -0.5f, 0.0f, false},   {L"中央揃え[上]", 0.0f, -0.5f, 0.5f, false},
    {L"右寄せ[上]", 0.5f, -0.5f, 1.0f, false},    {L"左寄せ[中]", -0.5f, 0.0f, 0.0f, false},
    {L"中央揃え[中]", 0.0f, 0.0f, 0.5f, false},   {L"右寄せ[中]", 0.5f, 0.0f, 1.0f, false},
    {L"左寄せ[下]", -0.5f, 0.5f, 0.0f, false},    {L"中央揃え[下]", 0.0f, 0.5f, 0.5f, false},
    {L"右寄せ[下]", 0.5f, 0.5f, 1.0f, false},     {L"縦書 上寄[右]", 0.5f, -0.5f, 0.0f, true},
    {L"縦書 中央[右]", 0.5f, 0.0f, 0.5f, true},   {L"縦書 下寄[右]", 0.5f, 0.5f, 1.0f, true},
    {L"縦書 上寄[中]", 0.0f, -0.5f, 0.0f, true},  {L"縦書 中央[中]", 0.0f, 0.0f, 0.5f, true},
    {L"縦書 下寄[中]", 0.0f, 0.5f, 1.0f, true},   {L"縦書 上寄[左]", -0.5f, -0.5f, 0.0f, true},
    {L"縦書 中央[左]", -0.5f, 0.0f, 0.5f, true},  {L"縦書 下寄[左]", -0.5f, 0.5f, 1.0f, true},
};

template <class Row, std::size_t N>
EffectItemSelect::SharedList& listOf(const Row (&rows)[N], EffectItemSelect::SharedList& list,
                                     std::once_flag& built) {
    std::call_once(built, [&] {
        for (std::size_t i = 0; i < N; ++i) list.setItem(static_cast<int>(i), rows[i].name);
    });
    return list;
}

template <class Row, std::size_t N>
const Row& rowOf(const Row (&rows)[N], int value) {
    return value >= 0 && static_cast<std::size_t>(value) < N ? rows[value] : rows[0];
}

}  // namespace

std::span<const TextDecoration> textDecorations() { return decorations; }
std::span<const TextAlignment> textAlignments() { return alignments; }

const TextDecoration& textDecoration(int value) { return rowOf(decorations, value); }
const TextAlignment& textAlignment(int value) { return rowOf(alignments, value); }

EffectItemSelect::SharedList& textDecorationList() {
    static EffectItemSelect::SharedList list;
    static std::once_flag built;
    return listOf(decorations, list, built);
}

EffectItemSelect::SharedList& textAlignmentList() {
    static EffectItemSelect::SharedList list;
    static std::once_flag built;
    return listOf(alignments, list, built);
}

}  // namespace Effect
