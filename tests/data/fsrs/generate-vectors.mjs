// Writes review sequences scheduled by ts-fsrs 5.x (default parameters,
// fuzz off) as the reference the scheduler is checked against.
//
//   mkdir -p /tmp/fsrs-gen && cd /tmp/fsrs-gen && npm install ts-fsrs@5
//   node tests/data/fsrs/generate-vectors.mjs /tmp/fsrs-gen > tests/data/fsrs/vectors.tsv
//
// A seed and a number of sequences may follow the folder, for wider runs.
//
// One review a line, TAB separated: sequence, desired retention, review
// time and rating, then the card after it: state (0 new, 1 learning,
// 2 review, 3 relearning), due, stability, difficulty, elapsed days,
// scheduled days, reps, lapses, learning step. Times are seconds since the
// epoch. Reviews fall on time, early, late, earlier in the day than the
// last one, and at odd seconds around midnight UTC, so that the day count of
// the elapsed time is exercised.
import { createRequire } from "node:module";
import path from "node:path";

const folder = path.resolve(process.argv[2] ?? "/tmp/fsrs-gen");
const require = createRequire(path.join(folder, "package.json"));
const { fsrs, createEmptyCard, generatorParameters, Rating } = require("ts-fsrs");

// A fixed generator, so that the vectors can be made again identically.
let seed = Number(process.argv[3] ?? 20261208);
function random() {
  seed = (seed + 0x6d2b79f5) | 0;
  let t = Math.imul(seed ^ (seed >>> 15), 1 | seed);
  t = (t + Math.imul(t ^ (t >>> 7), 61 | t)) ^ t;
  return ((t ^ (t >>> 14)) >>> 0) / 4294967296;
}
const pick = (items) => items[Math.floor(random() * items.length)];

// When the next review happens, relative to the card's last review and due.
function nextReviewTime(card, now) {
  const due = Math.floor(card.due.getTime() / 1000);
  const last = card.last_review ? Math.floor(card.last_review.getTime() / 1000) : now;
  const span = Math.max(60, due - last);
  switch (pick(["on time", "on time", "early", "late", "late", "much later", "same second",
                "earlier that day"])) {
    case "on time": return due;
    case "early": return last + Math.floor(random() * span);
    case "late": return due + Math.floor(random() * span);
    case "much later": return due + Math.floor(random() * 400 * 86400);
    // Before the last review but on its day (UTC), which still counts.
    case "earlier that day": return Math.max(last - last % 86400, last - Math.floor(random() * 7200));
    default: return Math.max(now, due - 1);
  }
}

const lines = [];
const retentions = [0.9, 0.9, 0.9, 0.8, 0.95, 0.7];
for (let sequence = 1; sequence <= Number(process.argv[4] ?? 100); ++sequence) {
  const retention = pick(retentions);
  const scheduler = fsrs(generatorParameters({ request_retention: retention, enable_fuzz: false }));
  // A start anywhere in 2026, at any second of the day.
  let now = 1767225600 + Math.floor(random() * 365 * 86400);
  let card = createEmptyCard(new Date(now * 1000));
  const reviews = 2 + Math.floor(random() * 10);
  for (let review = 0; review < reviews; ++review) {
    if (review > 0) {
      now = nextReviewTime(card, now);
    }
    const rating = pick([Rating.Again, Rating.Hard, Rating.Good, Rating.Good, Rating.Good, Rating.Easy]);
    card = scheduler.next(card, new Date(now * 1000), rating).card;
    lines.push([sequence, retention, now, rating, card.state, card.due.getTime() / 1000,
                card.stability, card.difficulty, card.elapsed_days, card.scheduled_days,
                card.reps, card.lapses, card.learning_steps].join("\t"));
  }
}
process.stdout.write(lines.join("\n") + "\n");
