// payvo-leaguegen: writes a made-up league file with realistic rosters, for demos, tests
// and benchmarks. The same options and seed always give the same file.
//
//   payvo-leaguegen [--teams N] [--roster N] [--free-agents N] [--draft N] [--seed N] [-o FILE]

#include <algorithm>
#include <array>
#include <cerrno>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <iostream>
#include <sstream>
#include <string>
#include <vector>

namespace
{

// Its own engine and distributions: the standard library's distributions differ between
// implementations, and a seed must give the same league everywhere.
class Random
{
public:
    explicit Random(std::uint64_t seed)
    {
        // SplitMix64 spreads a small seed over the whole state.
        for (auto& s : m_state) {
            seed += 0x9E3779B97F4A7C15ULL;
            std::uint64_t z = seed;
            z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ULL;
            z = (z ^ (z >> 27)) * 0x94D049BB133111EBULL;
            s = z ^ (z >> 31);
        }
    }

    // xoshiro256**
    std::uint64_t next()
    {
        const std::uint64_t result = rotl(m_state[1] * 5, 7) * 9;
        const std::uint64_t t = m_state[1] << 17;
        m_state[2] ^= m_state[0];
        m_state[3] ^= m_state[1];
        m_state[1] ^= m_state[2];
        m_state[0] ^= m_state[3];
        m_state[2] ^= t;
        m_state[3] = rotl(m_state[3], 45);
        return result;
    }

    // 0 .. n-1, without the bias of a plain modulo.
    int below(int n)
    {
        const std::uint64_t range = std::uint64_t(n);
        const std::uint64_t limit = UINT64_MAX - UINT64_MAX % range;
        std::uint64_t x;
        do {
            x = next();
        } while (x >= limit);
        return int(x % range);
    }

    double unit() { return double(next() >> 11) * (1.0 / 9007199254740992.0); }

    double normal(double mean, double sd)
    {
        if (m_haveSpare) {
            m_haveSpare = false;
            return mean + sd * m_spare;
        }
        double u;
        double v;
        double s;
        do {
            u = unit() * 2.0 - 1.0;
            v = unit() * 2.0 - 1.0;
            s = u * u + v * v;
        } while (s >= 1.0 || s == 0.0);
        const double m = std::sqrt(-2.0 * std::log(s) / s);
        m_spare = v * m;
        m_haveSpare = true;
        return mean + sd * u * m;
    }

    bool chance(double p) { return unit() < p; }

    template <typename T> const T& pick(const std::vector<T>& items)
    {
        return items[std::size_t(below(int(items.size())))];
    }

private:
    static std::uint64_t rotl(std::uint64_t x, int k) { return (x << k) | (x >> (64 - k)); }

    std::array<std::uint64_t, 4> m_state {};
    double m_spare = 0.0;
    bool m_haveSpare = false;
};

// Rating order of a position profile: SP, AC, AG, ST, HA, EN, IN, DI.
enum Rating { SP, AC, AG, ST, HA, EN, IN, DI, kRatings };

struct Position {
    const char* abbr;
    int perRoster; // players of a 53-man roster
    std::array<int, kRatings> profile; // each rating's distance from the player's level
};

// Position codes 0..14 in order.
const std::vector<Position> kPositions = {
    { "QB", 3, { { -12, 9, -6, -16, 4, -6, 8, 4 } } },
    { "FB", 1, { { -6, -8, -4, 8, 4, 2, -6, 0 } } },
    { "HB", 4, { { 7, -10, 8, 0, 3, 2, -8, -4 } } },
    { "TE", 3, { { -4, -8, -2, 6, 7, -2, -6, -2 } } },
    { "WR", 6, { { 8, -8, 6, -12, 8, -2, -4, -4 } } },
    { "C", 2, { { -18, -10, -8, 10, -14, 4, 8, 8 } } },
    { "G", 4, { { -18, -12, -8, 11, -14, 4, 4, 6 } } },
    { "T", 4, { { -16, -12, -4, 11, -14, 4, 4, 6 } } },
    { "DE", 4, { { 2, -10, 5, 7, -12, 2, -2, 0 } } },
    { "DT", 4, { { -10, -12, -2, 11, -14, 5, 0, 2 } } },
    { "LB", 6, { { 0, -8, 3, 4, -8, 2, 6, 0 } } },
    { "CB", 6, { { 8, -8, 8, -12, 0, 0, 2, -4 } } },
    { "S", 4, { { 5, -8, 4, -4, -2, 0, 6, -4 } } },
    { "K", 1, { { -25, 12, -20, 10, -25, -15, 0, 10 } } },
    { "P", 1, { { -25, 10, -20, 12, -25, -15, 0, 10 } } },
};

// Positions a player also plays, as the league's second position value.
int relatedPosition(int code, Random& rnd)
{
    static const int related[] = { 0, 2, 1, 4, 3, 6, 7, 6, 9, 8, 8, 12, 11, 14, 13 };
    return rnd.chance(0.12) ? related[code] : code;
}

const std::vector<std::string> kFirstNames = {
    "James",
    "Michael",
    "DeShawn",
    "José",
    "Tyrell",
    "Marcus",
    "Jamal",
    "Ryan",
    "Kevin",
    "Brandon",
    "Chris",
    "Darius",
    "André",
    "Søren",
    "Björn",
    "Łukasz",
    "Jérôme",
    "Malik",
    "Trevon",
    "Austin",
    "Cody",
    "Dante",
    "Ángel",
    "Nikolai",
    "Tomás",
    "Kwame",
    "Jalen",
    "Isaiah",
    "Caleb",
    "Derrick",
    "Terrell",
    "Mikaël",
    "Ezekiel",
    "Omar",
    "Luis",
    "Grant",
    "Patrick",
    "Sean",
    "Tre'Von",
    "D'Andre",
    "Zoltán",
    "Hüseyin",
    "Kai",
    "Mateo",
    "Bryce",
    "Logan",
    "Julian",
    "Xavier",
    "Rashad",
    "Owen",
};

const std::vector<std::string> kLastNames = {
    "Smith",
    "Johnson",
    "Williams",
    "Brown",
    "Jones",
    "García",
    "Miller",
    "Davis",
    "O'Brien",
    "D'Amato",
    "Müller",
    "Nguyễn",
    "Ødegaard",
    "Peña",
    "Kowalski",
    "Okafor",
    "Washington",
    "Jackson",
    "Thompson",
    "White",
    "Harris",
    "Martin",
    "Robinson",
    "Clark",
    "Lewis",
    "Walker",
    "Young",
    "Allen",
    "King",
    "Wright",
    "Scott",
    "Green",
    "Baker",
    "Adams",
    "Nelson",
    "Hill",
    "Campbell",
    "Mitchell",
    "Roberts",
    "Carter",
    "Phillips",
    "Evans",
    "Turner",
    "Torres",
    "Parker",
    "Collins",
    "Edwards",
    "Stewart",
    "Morris",
    "Murphy",
    "Cook",
    "Rogers",
    "Morgan",
    "Peterson",
    "Cooper",
    "Reed",
    "Bailey",
    "Bell",
    "Gómez",
    "Kelly",
    "Howard",
    "Ward",
    "Cox",
    "Diaz",
    "Richardson",
    "Wood",
    "Watson",
    "Brooks",
    "Bennett",
    "Gray",
    "James",
    "Reyes",
    "Cruz",
    "Hughes",
    "Price",
    "Myers",
    "Long",
    "Foster",
    "Sanders",
    "Ross",
    "Morales",
    "Powell",
    "Sullivan",
    "Russell",
    "Ortiz",
    "Jenkins",
    "Gutiérrez",
    "Perry",
    "Butler",
    "Barnes",
    "Fisher",
    "Henderson",
    "Coleman",
    "Simmons",
    "Patterson",
    "Jordan",
    "Reynolds",
    "Hamilton",
    "Graham",
    "Kim",
    "Gonzáles",
    "Alexander",
    "Ramos",
    "Wallace",
    "Griffin",
    "West",
    "Cole",
    "Hayes",
    "Chávez",
    "Gibson",
    "Bryant",
    "Ellis",
    "Stevens",
    "Murray",
    "Ford",
    "Marshall",
    "Owens",
    "McDonald",
    "Harrison",
    "Ruiz",
    "Kennedy",
    "Wells",
    "Álvarez",
    "Woods",
    "Mendoza",
    "Castillo",
    "Olsen",
    "Novák",
    "Þórsson",
    "Brännström",
    "Lindqvist",
    "Zieliński",
    "Dubois",
    "Lefèvre",
    "Haddad",
};

struct Team {
    std::string city;
    std::string nickname;
    std::string abbr;
};

const std::vector<Team> kTeams = {
    { "Boston", "Bulldogs", "BOS" },
    { "Denver", "Comets", "DEN" },
    { "Atlanta", "Firebirds", "ATL" },
    { "Chicago", "Blizzard", "CHI" },
    { "Dallas", "Stampede", "DAL" },
    { "Miami", "Barracudas", "MIA" },
    { "Seattle", "Orcas", "SEA" },
    { "Detroit", "Pistons & Gears", "DET" },
    { "Houston", "Roughnecks", "HOU" },
    { "Phoenix", "Scorpions", "PHX" },
    { "Portland", "Lumberjacks", "POR" },
    { "San José", "Quakes", "SJO" },
    { "Nashville", "Outlaws", "NSH" },
    { "Memphis", "Blues", "MEM" },
    { "Kansas City", "Twisters", "KCT" },
    { "St. Louis", "Archers", "STL" },
    { "Montréal", "Voyageurs", "MTL" },
    { "Toronto", "Huskies", "TOR" },
    { "New Orleans", "Krewe", "NOL" },
    { "Salt Lake", "Pioneers", "SLC" },
    { "Albuquerque", "Roadrunners", "ABQ" },
    { "Omaha", "Plainsmen", "OMA" },
    { "Pittsburgh", "Ironmen", "PIT" },
    { "Baltimore", "Harbor Hawks", "BAL" },
    { "Cleveland", "Lakers", "CLE" },
    { "Buffalo", "Bison", "BUF" },
    { "Las Vegas", "High Rollers", "LVG" },
    { "Sacramento", "Gold Rush", "SAC" },
    { "San Antonio", "Vaqueros", "SAT" },
    { "Orlando", "Gators", "ORL" },
    { "Charlotte", "Hornets", "CHA" },
    { "Milwaukee", "Brewers' Kings", "MIL" },
};

const std::vector<std::string> kCoaches = {
    "Ann Reyes",
    "Sam Okafor",
    "Bill O'Neil",
    "Dana Ortega",
    "Frank Müller",
    "Gus Halvorsen",
    "Hank Dawson",
    "Ivy Chen",
    "Joe D'Angelo",
    "Ken Watanabe",
    "Lou Brennan",
    "Mo Abdullah",
    "Ned Kowalczyk",
    "Pat Gallagher",
    "Rex Jørgensen",
    "Sid Romero",
    "Ted Lundgren",
    "Vic Salazar",
};

int clampRating(double v)
{
    return std::max(15, std::min(99, int(std::lround(v))));
}

struct Player {
    int id = 0;
    std::string first;
    std::string last;
    int position = 0;
    std::array<int, kRatings> act {};
    std::array<int, kRatings> pot {};
    int years = 0;
    int positionGen = 0;
};

enum class Pool { Roster, FreeAgent, Draft };

// Level: where a player stands in the league. Starters are the first of their position on
// a roster; a few are stars.
Player makePlayer(Random& rnd, int& nextId, int position, Pool pool, double level)
{
    Player p;
    p.id = nextId++;
    p.first = rnd.pick(kFirstNames);
    p.last = rnd.pick(kLastNames);
    p.position = position;
    p.positionGen = relatedPosition(position, rnd);
    const Position& pos = kPositions[std::size_t(position)];
    for (int r = 0; r < kRatings; ++r)
        p.act[std::size_t(r)] = clampRating(level + pos.profile[std::size_t(r)] + rnd.normal(0, 5.5));

    switch (pool) {
    case Pool::Draft:
        p.years = 0;
        break;
    case Pool::FreeAgent:
        p.years = 2 + rnd.below(12);
        break;
    case Pool::Roster:
        p.years = std::min(15, int(std::floor(-std::log(1.0 - rnd.unit()) * 3.5)) + 1);
        break;
    }
    // Young players still grow; veterans have reached what they will be.
    const double growth = pool == Pool::Draft ? 10.0 : std::max(0.0, 6.0 - p.years);
    for (int r = 0; r < kRatings; ++r) {
        const double g = std::max(0.0, rnd.normal(growth, 3.0));
        p.pot[std::size_t(r)] = std::max(p.act[std::size_t(r)], clampRating(p.act[std::size_t(r)] + g));
    }
    return p;
}

double rosterLevel(Random& rnd, double teamStrength, int depth, bool star)
{
    // Depth 0 is the starter; every team has a few stars among its starters.
    double level = depth == 0 ? rnd.normal(71, 4.5) : rnd.normal(62 - 2.5 * std::min(depth, 3), 6.0);
    if (star)
        level = std::max(level, 81.0) + rnd.normal(5, 2.0);
    return level + teamStrength;
}

// Splits `total` players over the positions in the proportions of a 53-man roster.
std::vector<int> rosterMix(int total)
{
    std::vector<int> counts(kPositions.size(), 0);
    std::vector<std::pair<double, std::size_t>> rest;
    int given = 0;
    for (std::size_t i = 0; i < kPositions.size(); ++i) {
        const double share = double(total) * kPositions[i].perRoster / 53.0;
        counts[i] = int(std::floor(share));
        given += counts[i];
        rest.push_back({ share - counts[i], i });
    }
    std::stable_sort(rest.begin(), rest.end(), [](const auto& a, const auto& b) { return a.first > b.first; });
    for (std::size_t k = 0; given < total; ++k, ++given)
        ++counts[rest[k % rest.size()].second];
    return counts;
}

int positionByMix(Random& rnd)
{
    int n = rnd.below(53);
    for (std::size_t i = 0; i < kPositions.size(); ++i) {
        n -= kPositions[i].perRoster;
        if (n < 0)
            return int(i);
    }
    return 0;
}

std::string record(const Player& p)
{
    // Field order of a league file's player record.
    const int order[] = { AC, AG, DI, EN, HA, IN, SP, ST };
    std::ostringstream s;
    s << p.id << '|' << p.first << '|' << p.last << '|' << p.position;
    for (int r : order)
        s << '|' << p.act[std::size_t(r)];
    s << '|' << p.years;
    for (int r : order)
        s << '|' << p.pot[std::size_t(r)];
    s << '|' << p.positionGen;
    return s.str();
}

// Makes sure that every tier boundary (a rating exactly on 69, 79, 84, 89 and 94) occurs.
void coverTierBoundaries(std::vector<Player*>& players)
{
    const int boundaries[] = { 69, 79, 84, 89, 94 };
    std::size_t next = 0;
    for (int b : boundaries) {
        bool found = false;
        for (const Player* p : players)
            found = found || std::find(p->act.begin(), p->act.end(), b) != p->act.end();
        if (found || players.empty())
            continue;
        Player* p = players[next++ % players.size()];
        p->act[std::size_t(next % kRatings)] = b;
        for (int r = 0; r < kRatings; ++r)
            p->pot[std::size_t(r)] = std::max(p->pot[std::size_t(r)], p->act[std::size_t(r)]);
    }
}

struct Options {
    int teams = 32;
    int roster = 53;
    int freeAgents = 96;
    int draft = 224;
    std::uint64_t seed = 1;
    std::string output;
};

[[noreturn]] void usage(const char* why)
{
    std::fprintf(stderr,
        "payvo-leaguegen: %s\n"
        "usage: payvo-leaguegen [--teams N] [--roster N] [--free-agents N] [--draft N] [--seed N] "
        "[-o FILE]\n"
        "  --teams N        teams, 1 to 97 (32)\n"
        "  --roster N       players on each roster (53)\n"
        "  --free-agents N  players without a team (96)\n"
        "  --draft N        players in the draft pool (224)\n"
        "  --seed N         the same seed gives the same league (1)\n"
        "  -o FILE          write to FILE instead of standard output\n",
        why);
    std::exit(2);
}

long number(const char* text, long lo, long hi, const char* option)
{
    char* end = nullptr;
    errno = 0;
    const long v = std::strtol(text, &end, 10);
    if (errno || !end || *end || end == text || v < lo || v > hi) {
        static std::string why;
        why = std::string(option) + " needs a number from " + std::to_string(lo) + " to " + std::to_string(hi);
        usage(why.c_str());
    }
    return v;
}

Options parse(int argc, char** argv)
{
    Options o;
    for (int i = 1; i < argc; ++i) {
        const std::string a = argv[i];
        if (a == "-h" || a == "--help")
            usage("writes a league file");
        if (i + 1 >= argc)
            usage(("missing value after " + a).c_str());
        const char* v = argv[++i];
        if (a == "--teams")
            o.teams = int(number(v, 1, 97, "--teams"));
        else if (a == "--roster")
            o.roster = int(number(v, 0, 32766, "--roster"));
        else if (a == "--free-agents")
            o.freeAgents = int(number(v, 0, 32766, "--free-agents"));
        else if (a == "--draft")
            o.draft = int(number(v, 0, 32766, "--draft"));
        else if (a == "--seed")
            o.seed = std::uint64_t(number(v, 0, 2147483647L, "--seed"));
        else if (a == "-o")
            o.output = v;
        else
            usage(("unknown option " + a).c_str());
    }
    const long players = long(o.teams) * o.roster + o.freeAgents + o.draft;
    if (players > 32767)
        usage("a league of more than 32767 players cannot number them with 16-bit player ids");
    return o;
}

} // namespace

int main(int argc, char** argv)
{
    const Options o = parse(argc, argv);
    Random rnd(o.seed);
    int nextId = 1;

    std::vector<Team> teams;
    for (int t = 0; t < o.teams; ++t) {
        Team team = kTeams[std::size_t(t) % kTeams.size()];
        if (t >= int(kTeams.size())) {
            const std::string n = std::to_string(t / int(kTeams.size()) + 1);
            team.city += " " + n;
            team.abbr = team.abbr.substr(0, 2) + n;
        }
        teams.push_back(team);
    }

    const std::vector<int> mix = rosterMix(o.roster);
    std::vector<std::vector<Player>> rosters(std::size_t(o.teams));
    for (int t = 0; t < o.teams; ++t) {
        const double strength = rnd.normal(0, 1.0);
        // The starters' slots, and which of them go to the team's two or three stars.
        std::vector<int> starterSlots;
        for (std::size_t pos = 0; pos < kPositions.size(); ++pos) {
            const int starters = std::max(1, mix[pos] / std::max(1, kPositions[pos].perRoster));
            starterSlots.push_back(std::min(starters, mix[pos]));
        }
        int slots = 0;
        for (int n : starterSlots)
            slots += n;
        std::vector<bool> starSlot(std::size_t(slots), false);
        const int stars = std::min(slots, (2 + rnd.below(2)) * std::max(1, o.roster / 53));
        for (int placed = 0; placed < stars;) {
            const std::size_t at = std::size_t(rnd.below(slots));
            if (!starSlot[at]) {
                starSlot[at] = true;
                ++placed;
            }
        }
        int slot = 0;
        for (std::size_t pos = 0; pos < kPositions.size(); ++pos) {
            // A big roster keeps the proportion of starters of a 53-man one.
            const int starters = std::max(1, mix[pos] / std::max(1, kPositions[pos].perRoster));
            for (int k = 0; k < mix[pos]; ++k) {
                const int depth = k < starters ? 0 : 1 + (k - starters) / starters;
                const bool star = depth == 0 && starSlot[std::size_t(slot++)];
                rosters[std::size_t(t)].push_back(
                    makePlayer(rnd, nextId, int(pos), Pool::Roster, rosterLevel(rnd, strength, depth, star)));
            }
        }
    }
    std::vector<Player> freeAgents;
    for (int i = 0; i < o.freeAgents; ++i)
        freeAgents.push_back(makePlayer(rnd, nextId, positionByMix(rnd), Pool::FreeAgent, rnd.normal(56, 6)));
    std::vector<Player> draft;
    for (int i = 0; i < o.draft; ++i)
        draft.push_back(makePlayer(rnd, nextId, positionByMix(rnd), Pool::Draft, rnd.normal(52, 7)));

    std::vector<Player*> all;
    for (auto& r : rosters)
        for (auto& p : r)
            all.push_back(&p);
    for (auto& p : freeAgents)
        all.push_back(&p);
    for (auto& p : draft)
        all.push_back(&p);
    coverTierBoundaries(all);

    std::ofstream file;
    if (!o.output.empty()) {
        file.open(o.output, std::ios::binary | std::ios::trunc);
        if (!file) {
            std::fprintf(stderr, "payvo-leaguegen: cannot write %s\n", o.output.c_str());
            return 1;
        }
    }
    std::ostream& out = o.output.empty() ? std::cout : file;
    out << "# League made by payvo-leaguegen --teams " << o.teams << " --roster " << o.roster << " --free-agents "
        << o.freeAgents << " --draft " << o.draft << " --seed " << o.seed << "\n";
    out << "[Teams]\n";
    for (std::size_t t = 0; t < teams.size(); ++t)
        out << teams[t].city << '|' << teams[t].nickname << '|' << teams[t].abbr << '|'
            << kCoaches[(t * 7 + o.seed) % kCoaches.size()] << "\n";
    for (std::size_t t = 0; t < rosters.size(); ++t) {
        out << "\n[Roster " << t + 1 << "]\n";
        for (const Player& p : rosters[t])
            out << record(p) << "\n";
    }
    out << "\n[Free Agents]\n";
    for (const Player& p : freeAgents)
        out << record(p) << "\n";
    out << "\n[Draft Pool]\n";
    for (const Player& p : draft)
        out << record(p) << "\n";
    out.flush();
    if (!out) {
        std::fprintf(stderr, "payvo-leaguegen: writing the league failed\n");
        return 1;
    }
    return 0;
}
