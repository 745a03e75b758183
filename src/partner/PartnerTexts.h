#pragma once

// The partner's view: what the partner reads while the user writes.
namespace PartnerTexts {
inline constexpr char16_t kCaption[] = u"相手に見せる";
inline constexpr char16_t kTextName[] = u"書いている文章";
inline constexpr char16_t kSpokenName[] = u"最後に話した文";
} // namespace PartnerTexts
