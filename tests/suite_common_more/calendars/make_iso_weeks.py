"""Writes iso_weeks.csv: the ISO week number of every Monday from 1990 to 2040 (a
week keeps its number through Sunday), taken from Python's own calendar."""
import datetime
import pathlib

day = datetime.date(1990, 1, 1)
while day.weekday() != 0:
    day -= datetime.timedelta(days=1)
rows = ["monday,week"]
while day.year <= 2040:
    rows.append(f"{day.isoformat()},{day.isocalendar()[1]}")
    day += datetime.timedelta(days=7)
pathlib.Path(__file__).with_name("iso_weeks.csv").write_text("\n".join(rows) + "\n")
