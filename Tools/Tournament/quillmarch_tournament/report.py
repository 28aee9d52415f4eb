"""The tournament's report: a table on the terminal, and an HTML page with a plot in a folder."""

import html
import os
import tempfile

import matplotlib

matplotlib.use("Agg")
import matplotlib.pyplot as plt  # noqa: E402  (the backend must be chosen first)

PLOT_FILE = "tournament.png"
PAGE_FILE = "index.html"


def text_of(sets, pairs, total, planned):
    lines = [f"{total} of {planned} matches played", "",
             f"{'set':<16}{'matches':>8}{'wins':>6}{'win rate':>10}  {'95 % interval':<16}"
             f"{'score':>16}{'camps founded':>18}"]
    for figures in sets:
        lines.append(
            f"{figures.name:<16}{figures.matches:>8}{figures.wins:>6}{figures.win_rate:>10.1%}  "
            f"{figures.win_low:>6.1%} - {figures.win_high:<7.1%}"
            f"{figures.score_mean:>9.0f} ± {figures.score_spread:<4.0f}"
            f"{figures.founded_mean:>11.2f} ± {figures.founded_spread:<4.2f}")
    lines += ["", f"{'pair':<28}{'W-D-L':>14}{'Elo':>8}  {'95 % interval':<18}verdict"]
    for pair in pairs:
        lines.append(f"{pair.first + ' vs ' + pair.second:<28}"
                     f"{f'{pair.wins}-{pair.draws}-{pair.losses}':>14}{pair.elo:>+8.0f}  "
                     f"{f'{pair.elo_low:+.0f} to {pair.elo_high:+.0f}':<18}{pair.verdict}")
    return "\n".join(lines)


def draw_plot(sets, pairs, path):
    figure, (wins, elo, scores) = plt.subplots(1, 3, figsize=(15, 4.8))
    names = [figures.name for figures in sets]
    rates = [figures.win_rate * 100 for figures in sets]
    wins.bar(names, rates, color="#4c72b0",
             yerr=[[(f.win_rate - f.win_low) * 100 for f in sets], [(f.win_high - f.win_rate) * 100 for f in sets]],
             capsize=8)
    wins.set_ylim(0, 100)
    wins.set_ylabel("win rate, % (95 % Wilson interval)")
    wins.set_title("Wins")
    labels = [f"{pair.first}\nvs {pair.second}" for pair in pairs]
    elo.errorbar(range(len(pairs)), [pair.elo for pair in pairs],
                 yerr=[[pair.elo - pair.elo_low for pair in pairs], [pair.elo_high - pair.elo for pair in pairs]],
                 fmt="o", color="#c44e52", capsize=8)
    elo.axhline(0, color="grey", linewidth=1)
    elo.set_xticks(range(len(pairs)), labels)
    elo.set_xlim(-0.5, len(pairs) - 0.5)
    elo.set_ylabel("Elo difference, first against second (95 %)")
    elo.set_title("Head to head, by score")
    positions = range(len(sets))
    score_bars = scores.bar([p - 0.2 for p in positions], [f.score_mean for f in sets], 0.4,
               yerr=[f.score_spread for f in sets], capsize=6, color="#55a868", label="score")
    scores.set_ylabel("mean score (± standard deviation)")
    camps = scores.twinx()
    camp_bars = camps.bar([p + 0.2 for p in positions], [f.founded_mean for f in sets], 0.4,
              yerr=[f.founded_spread for f in sets], capsize=6, color="#dd8452", label="camps founded")
    camps.set_ylabel("mean camps founded (± standard deviation)")
    scores.set_xticks(list(positions), names)
    scores.set_title("Score and camps founded")
    scores.legend(handles=[score_bars, camp_bars], loc="upper left")
    figure.tight_layout()
    figure.savefig(path, dpi=100)
    plt.close(figure)


def page_of(text, title):
    return (f"<!DOCTYPE html>\n<html lang=\"en\"><head><meta charset=\"utf-8\"><title>{html.escape(title)}</title>"
            "<style>body{font-family:sans-serif;margin:2em}pre{font-size:14px}</style></head><body>"
            f"<h1>{html.escape(title)}</h1><img src=\"{PLOT_FILE}\" alt=\"win rates, Elo differences, "
            f"scores and camps founded\" width=\"1500\"><pre>{html.escape(text)}</pre></body></html>\n")


def replace_atomically(path, write):
    """Writes through `write(temporary_path)`, then puts the file in place whole."""
    folder = os.path.dirname(path)
    handle, temporary = tempfile.mkstemp(dir=folder, prefix=".partial-", suffix=os.path.splitext(path)[1])
    os.close(handle)
    try:
        write(temporary)
        os.replace(temporary, path)
    except BaseException:
        os.unlink(temporary)
        raise


def write_report(folder, text, sets, pairs, title):
    os.makedirs(folder, exist_ok=True)
    replace_atomically(os.path.join(folder, PLOT_FILE), lambda path: draw_plot(sets, pairs, path))

    def write_page(path):
        with open(path, "w", encoding="utf-8") as file:
            file.write(page_of(text, title))
    replace_atomically(os.path.join(folder, PAGE_FILE), write_page)
