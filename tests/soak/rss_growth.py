"""The growth of the resident memory over a soak: rss_growth.py FILE, where each line of FILE is
a re-activation's number and the resident memory then, in kB. Prints the slope in kB per
re-activation, then how many samples there were and their range.

The slope is the median of the slopes between every two samples (Theil and Sen's estimator), not
a least-squares line: now and then llvmpipe holds one more megabyte at the moment a sample is
taken, and a single such sample near either end would tilt a least-squares line by 15 kB, while
the median does not move until most samples climb.
"""
import statistics
import sys


def main():
    samples = [tuple(map(int, line.split())) for line in open(sys.argv[1]) if line.strip()]
    if len(samples) < 2:
        sys.exit("fewer than two samples")
    slopes = [(y2 - y1) / (x2 - x1) for i, (x1, y1) in enumerate(samples)
              for x2, y2 in samples[i + 1:]]
    low, high = min(y for _, y in samples), max(y for _, y in samples)
    print(f"{statistics.median(slopes):.1f} kB per re-activation over {len(samples)} samples, "
          f"from {low} to {high} kB")


if __name__ == "__main__":
    main()
