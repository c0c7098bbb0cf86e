#include "profile/ProfileManager.h"
#include "profile/StarterProfiles.h"

#include "ProfileTestEnv.h"
#include "render/LayoutPage.h"
#include "session/Session.h"
#include "support/TestEnv.h"

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;
using namespace hoplark;

namespace {

struct Rect {
    int x1, y1, x2, y2;
    bool Overlaps(const Rect& o) const { return x1 < o.x2 && o.x1 < x2 && y1 < o.y2 && o.y1 < y2; }
};

// A line box as a rectangle, whichever way its elements 0 and 2 run.
Rect ToRect(const LineBox& b) {
    return {std::min(b[0], b[2]), b[1], std::max(b[0], b[2]), b[3]};
}

std::string Describe(const QString& sName, int nDpi, const char* what, const Rect& r) {
    return sName.toStdString() + " at " + std::to_string(nDpi) + " dpi: " + what + " (" +
           std::to_string(r.x1) + "," + std::to_string(r.y1) + ")-(" + std::to_string(r.x2) + "," +
           std::to_string(r.y2) + ")";
}

} // namespace

// The starter layouts keep every line of the address, name and sender blocks on the paper,
// apart from each other, and off the postal-code boxes and the stamp area, at the usual
// screen resolutions (the pitch of a line depends on it).
TEST(StarterLayout, LinesStayClearOfBoxesStampAndEachOther) {
    for (const int nDpi : {96, 120, 144}) {
        test::FakePrinter ik;
        Session st(ik);
        st.UsrFld = test::NewUserFolder();
        ASSERT_EQ(WriteStarterProfiles(st.UsrFld + u"Paper"_s), QString());
        ProfileManager& mgr = st.profiles();
        for (const StarterProfile& p : StarterProfiles()) {
            ASSERT_EQ(mgr.File().LoadPage(p.sName), QString());
            st.lay = PageLayout();
            Canvas cv = st.PreviewCanvas();
            cv.nDpi = nDpi;
            LayoutPage(cv);
            const PageLayout& lay = st.lay;
            ASSERT_EQ(lay.aAdrBox.size(), lay.nAdrRows);

            const Rect page{0, 0, lay.nPageW, lay.nPageH};
            const Rect keepOff[] = {
                {lay.nZipX[0], lay.nZipY[0], lay.nZipX[0] + 487, lay.nZipY[0] + 80},
                {lay.nZipX[1], lay.nZipY[1], lay.nZipX[1] + 289, lay.nZipY[1] + 68},
                {70, 90, 250, 310}, // stamp area
            };
            struct Line {
                int block;
                Rect r;
            };
            QList<Line> lines;
            for (const LineBox& b : lay.aAdrBox)
                lines << Line{0, ToRect(b)};
            for (const LineBox& b : lay.aNameBox)
                lines << Line{1, ToRect(b)};
            for (const LineBox& b : lay.aSndBox)
                lines << Line{2, ToRect(b)};
            ASSERT_EQ(lines.size(), lay.nAdrRows + lay.nNameRows + lay.nMaxRow[2]);

            for (const Line& l : lines) {
                const std::string where = Describe(p.sName, nDpi, "line", l.r);
                EXPECT_TRUE(l.r.x1 >= 0 && l.r.y1 >= 0 && l.r.x2 <= page.x2 && l.r.y2 <= page.y2)
                    << where;
                EXPECT_TRUE(l.r.x1 < l.r.x2 && l.r.y1 < l.r.y2) << where;
                for (const Rect& k : keepOff)
                    EXPECT_FALSE(l.r.Overlaps(k)) << where;
                for (const Line& o : lines) {
                    if (o.block != l.block) {
                        EXPECT_FALSE(l.r.Overlaps(o.r)) << where;
                    }
                }
            }
            // Vertical writing: a single name is drawn half-way between the first two name
            // columns, a name under a title in the second; the point between these two places
            // stands within 10 mm of the middle of the recipient's side (the right half of an
            // unfolded reply card) at the common resolutions; at 144 dpi the smaller pitches
            // move it further right.
            if (st.page.bVertical && nDpi <= 120) {
                const LineBox& n0 = lay.aNameBox.first();
                const LineBox& n1 = lay.aNameBox.value(1, n0);
                const int nSide = st.page.bLandscape ? lay.nPageW / 2 : 0;
                const int nMiddle = nSide + (lay.nPageW - nSide) / 2;
                EXPECT_LE(std::abs((n0[0] + n0[2] + 3 * (n1[0] + n1[2])) / 8 - nMiddle), 100)
                    << p.sName.toStdString() << " at " << nDpi;
            }
        }
    }
}
