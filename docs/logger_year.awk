# A year of one-minute readings of an office's air (525,600 rows, dry_bulb and
# relative_humidity), for the README's density chart: the heating season dry,
# the summer humid, a daily cycle and noise. Deterministic (srand(2026)).
#   awk -f docs/logger_year.awk > logger.csv
BEGIN {
  srand(2026)
  print "dry_bulb,relative_humidity"
  for (minute = 0; minute < 525600; minute++) {
    day = minute / 1440
    season = cos(2 * 3.14159265 * (day - 200) / 365)  # 1 in mid-July
    hour = (minute % 1440) / 60
    occupied = hour >= 8 && hour < 18
    t = 21.5 + 2.0 * season + (occupied ? 1.2 : -0.8) + 0.6 * (rand() - 0.5)
    rh = 42 + 14 * season + (occupied ? 4 : 0) + 6 * (rand() - 0.5)
    printf "%.2f,%.1f\n", t, rh
  }
}
