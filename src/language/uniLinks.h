// The outside addresses the program hands to the desktop, all in one place, and
// the program's version. The hosts lie under the reserved example.org domain
// until the program has a domain of its own.
#pragma once

#include <QString>

#ifndef RAVOLIN_VERSION
#define RAVOLIN_VERSION "0.0.0"
#endif

namespace rav {

// The program's version, from the build's project version.
inline QString ProgramVersion()
{
    return QStringLiteral(RAVOLIN_VERSION);
}

// The program's web page and contact address.
inline QString ProgramWebPage()
{
    return QStringLiteral("https://ravolin.example.org/");
}
inline QString ContactMailAddress()
{
    return QStringLiteral("ravolin@example.org");
}

// The About box links: the web page at its root with the query that tells it
// where the visitor came from, and the mail link.
inline QString AboutWebLink()
{
    return ProgramWebPage() + QStringLiteral("?src=aboutbox");
}
inline QString AboutMailLink()
{
    return QStringLiteral("mailto:") + ContactMailAddress();
}

// The Help menu's links and the sponsor banner.
inline QString CatalogueHomePage()
{
    return QStringLiteral("https://catalogue.example.org/");
}
inline QString SponsorHomePage()
{
    return QStringLiteral("https://sponsor.example.org/");
}
inline QString SponsorChessPage()
{
    return QStringLiteral("https://sponsor.example.org/chess.asp");
}

// The banner's text along the bottom of the main window.
inline QString SponsorBannerText()
{
    return QStringLiteral("Pools results and more from our sponsor - click to visit");
}

} // namespace rav
