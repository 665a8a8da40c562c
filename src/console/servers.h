#pragma once

// Host names of the servers Tarvos talks to or names in its texts, in one place, so that a
// change of the network's addresses is one edit.

#include <QString>

namespace tarvos::servers {

// The network's own domain; its voice servers are named by region label, then "rw" for a
// Roger Wilco server or "ts" for a TeamSpeak server, then this domain.
inline const QString kNetworkDomain = QStringLiteral("ivao.org");

inline const QString kVoiceRogerWilcoDe = QStringLiteral("derw.ivao.org");
inline const QString kVoiceRogerWilcoBe = QStringLiteral("berw.ivao.org");
inline const QString kVoiceTeamSpeakBe = QStringLiteral("bets.ivao.org");
inline const QString kVoiceTeamSpeakMain = QStringLiteral("ts.ivao.org");
inline const QString kVoiceTeamSpeakBr = QStringLiteral("brts.ivao.org");

// The voice channel a console starts with.
inline const QString kDefaultVoiceHost = kVoiceRogerWilcoDe;

} // namespace tarvos::servers
