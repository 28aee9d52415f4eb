// One match as the observer sent it, and how it stood at any moment: the page draws the latest moment
// live, and any moment of a replay.

// Points of a score line closer together than this are thinned out.
const CHART_STEP_SECONDS = 0.25;
const FEWEST_TRAIL_POINTS = 4;
const LONGEST_TRAIL_SECONDS = 15;

export class MatchState {
  constructor(number) {
    this.number = number;
    this.floor = null;
    this.over = null;
    this.end = 0;
    this.byKind = { heat: [], player: [], stats: [], warning: [] };
  }

  add(event) {
    if (event.kind === 'floor') this.floor = event;
    else if (event.kind === 'over') this.over = event;
    else if (this.byKind[event.kind]) insertInTimeOrder(this.byKind[event.kind], event);
    else return;
    this.end = Math.max(this.end, event.t);
  }

  heatAt(time) {
    return latestAt(this.byKind.heat, time);
  }

  statsAt(time) {
    return latestAt(this.byKind.stats, time);
  }

  isOverAt(time) {
    return this.over !== null && this.over.t <= time;
  }

  // [[id, score], ...] in the game's player order.
  scoresAt(time) {
    const latest = latestAt(this.byKind.player, time);
    return latest ? latest.scores : [];
  }

  // Map id -> {x, z, trail: [[x, z], ...] oldest first, ending at the player's latest position}.
  playersAt(time, trailSeconds) {
    const events = this.byKind.player;
    const players = new Map();
    const expected = new Set(this.scoresAt(time).map(([id]) => id));
    for (let index = lastIndexAtOrBefore(events, time); index >= 0; index--) {
      const event = events[index];
      const recent = event.t >= time - trailSeconds;
      const tooOld = event.t < time - LONGEST_TRAIL_SECONDS;
      let player = players.get(event.id);
      if (!player) {
        player = { x: event.x, z: event.z, trail: [] };
        players.set(event.id, player);
        expected.delete(event.id);
      }
      // A slow game reports seldom: its players still get a few points of trail.
      if (recent || (player.trail.length < FEWEST_TRAIL_POINTS && !tooOld)) player.trail.unshift([event.x, event.z]);
      else if (expected.size === 0 && tooOld) break;
    }
    return players;
  }

  // Map id -> [{x: seconds, y: score}, ...] up to `time`, for the chart.
  scoreLinesAt(time) {
    const lines = new Map();
    const events = this.byKind.player;
    const last = lastIndexAtOrBefore(events, time);
    let shownUntil = -Infinity;
    for (let index = 0; index <= last; index++) {
      const event = events[index];
      if (event.t - shownUntil < CHART_STEP_SECONDS && index !== last) continue;
      shownUntil = event.t;
      for (const [id, score] of event.scores) {
        if (!lines.has(id)) lines.set(id, []);
        lines.get(id).push({ x: event.t, y: score });
      }
    }
    return lines;
  }

  // Map problem -> its latest warning (with its count so far).
  warningsAt(time) {
    const warnings = new Map();
    const events = this.byKind.warning;
    for (let index = 0; index <= lastIndexAtOrBefore(events, time); index++) warnings.set(events[index].problem, events[index]);
    return warnings;
  }
}

function lastIndexAtOrBefore(events, time) {
  let low = 0;
  let high = events.length;
  while (low < high) {
    const middle = (low + high) >> 1;
    if (events[middle].t <= time) low = middle + 1;
    else high = middle;
  }
  return low - 1;
}

function latestAt(events, time) {
  const index = lastIndexAtOrBefore(events, time);
  return index >= 0 ? events[index] : null;
}

function insertInTimeOrder(events, event) {
  const index = lastIndexAtOrBefore(events, event.t) + 1;
  if (index === events.length) events.push(event);
  else events.splice(index, 0, event);
}
