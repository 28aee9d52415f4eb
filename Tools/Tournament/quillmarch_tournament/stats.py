"""What the matches say: win rates with Wilson intervals, Elo differences, and the early stop."""

import math
import statistics
from dataclasses import dataclass

Z95 = 1.959964
# The early stop's error rates: a wrong call either way at most 5 % of the time.
ALPHA = BETA = 0.05
# The normal approximation of the likelihood wants a few dozen matches: on fewer, a lucky streak with
# little spread would look like proof.
FEWEST_TO_DECIDE = 40


def wilson(successes, trials, z=Z95):
    """The Wilson score interval of a proportion."""
    if trials == 0:
        return 0.0, 1.0
    p = successes / trials
    centre = (p + z * z / (2 * trials)) / (1 + z * z / trials)
    half = z * math.sqrt(p * (1 - p) / trials + z * z / (4 * trials * trials)) / (1 + z * z / trials)
    return max(0.0, centre - half), min(1.0, centre + half)


def elo_of(score, count=None):
    """The Elo difference that an expected score (0 to 1) stands for, over `count` matches.

    A score of all or nothing is taken as half a match short of it: no finite Elo fits it."""
    edge = 1.0 / (2 * count) if count else 1e-9
    score = min(max(score, edge), 1 - edge)
    return -400.0 * math.log10(1.0 / score - 1.0)


def score_of(elo):
    return 1.0 / (1.0 + 10.0 ** (-elo / 400.0))


@dataclass
class SetFigures:
    name: str
    matches: int
    wins: int
    win_low: float
    win_high: float
    score_mean: float
    score_spread: float
    founded_mean: float
    founded_spread: float

    @property
    def win_rate(self):
        return self.wins / self.matches if self.matches else 0.0


@dataclass
class PairFigures:
    first: str
    second: str
    matches: int
    wins: int
    draws: int
    losses: int
    elo: float
    elo_low: float
    elo_high: float
    verdict: str


def player_of(result, name):
    """The results of the orc that played set `name` in this match."""
    slot = result["order"].index(name) + 1
    return next(player for player in result["players"] if player["id"] == slot)


def set_figures(results, names):
    figures = []
    for name in names:
        played = [result for result in results if name in result["order"]]
        wins = sum(1 for result in played if result["winner"] == result["order"].index(name) + 1)
        scores = [player_of(result, name)["score"] for result in played]
        founded = [player_of(result, name)["founded"] for result in played]
        low, high = wilson(wins, len(played))
        spread = (lambda values: statistics.stdev(values) if len(values) > 1 else 0.0)
        figures.append(SetFigures(name, len(played), wins, low, high,
                                  statistics.fmean(scores) if scores else 0.0, spread(scores),
                                  statistics.fmean(founded) if founded else 0.0, spread(founded)))
    return figures


def pair_outcomes(results, first, second):
    """1, 0.5 or 0 per match for `first` against `second`: who scored more."""
    outcomes = []
    for result in results:
        if first in result["order"] and second in result["order"]:
            mine, theirs = player_of(result, first)["score"], player_of(result, second)["score"]
            outcomes.append(1.0 if mine > theirs else 0.5 if mine == theirs else 0.0)
    return outcomes


def llr(outcomes, elo0, elo1):
    """The log-likelihood ratio of Elo `elo1` against `elo0`, in the normal approximation."""
    count = len(outcomes)
    if count < 2:
        return 0.0
    mean = statistics.fmean(outcomes)
    variance = max(statistics.pvariance(outcomes, mean), 1e-4)
    s0, s1 = score_of(elo0), score_of(elo1)
    return count * ((mean - s0) ** 2 - (mean - s1) ** 2) / (2 * variance)


def verdict(outcomes, first, second, margin):
    """Whether one set is better by the margin, both are equal within it, or it is still open."""
    if len(outcomes) < FEWEST_TO_DECIDE:
        return "open"
    upper = math.log((1 - BETA) / ALPHA)
    lower = math.log(BETA / (1 - ALPHA))
    better = llr(outcomes, 0.0, margin)
    worse = llr(outcomes, 0.0, -margin)
    if better >= upper:
        return f"{first} is better"
    if worse >= upper:
        return f"{second} is better"
    if better <= lower and worse <= lower:
        return f"equal within {margin:g} Elo"
    return "open"


def pair_figures(results, names, orders, margin):
    """Each pair's figures over every match; its verdict only over the seeds played in every seat order,
    the same matches the early stop decides on, so that a tournament stopped early names what stopped it."""
    paired = complete_seeds(results, orders)
    figures = []
    for index, first in enumerate(names):
        for second in names[index + 1:]:
            outcomes = pair_outcomes(results, first, second)
            count = len(outcomes)
            mean = statistics.fmean(outcomes) if outcomes else 0.5
            error = math.sqrt(statistics.pvariance(outcomes, mean) / count) if count else 0.5
            figures.append(PairFigures(
                first, second, count, outcomes.count(1.0), outcomes.count(0.5), outcomes.count(0.0),
                elo_of(mean, count), elo_of(mean - Z95 * error, count), elo_of(mean + Z95 * error, count),
                verdict(pair_outcomes(paired, first, second), first, second, margin)))
    return figures


def complete_seeds(results, orders):
    """Only the seeds played in every seat order: there seat and luck cancel."""
    by_seed = {}
    for result in results:
        by_seed.setdefault(result["seed"], []).append(result)
    return [result for seed_results in by_seed.values() if len(seed_results) == len(orders)
            for result in seed_results]


def decided(results, names, orders, margin):
    """True once every pair of sets has a verdict."""
    return all(pair.verdict != "open" for pair in pair_figures(results, names, orders, margin))
